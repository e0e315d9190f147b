// The foundation's compiled-in translation modules: the key names and its own messages.

#include "foundation/values/translate.h"
#include "foundation/values/translation_table.h"

namespace Qor {

static const TranslationRecord key_names[] = {
//          id                            CA-ES  DE-DE             ES-ES         FI-FI  FR-FR             HU-HU  NL-NL  PL-PL  PT-BR  RO-RO  RU-RU      SK-SK  TR-TR  ZH-TW
QOR_TR14("key\vCtrl+",                   "",    "Strg+",          "Ctrl+",      "",    "Ctrl+",          "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vAlt+",                    "",    "Alt+",           "Alt+",       "",    "Alt+",           "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vShift+",                  "",    "Umschalt+",      "Mayús+",     "",    "Maj+",           "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vTab",                     "",    "Tab",            "Tab",        "",    "Tab",            "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vSpace",                   "",    "Leertaste",      "Espacio",    "",    "Espace",         "",    "",    "",    "",    "",    "Пробел",  "",    "",    "")
QOR_TR14("key\vEnter",                   "",    "Eingabe",        "Intro",      "",    "Entrée",         "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vBackspace",               "",    "Rücktaste",      "Retroceso",  "",    "Retour arrière", "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vCaps Lock",               "",    "Feststelltaste", "Bloq Mayús", "",    "",               "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vEsc",                     "",    "Esc",            "Esc",        "",    "Échap",          "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vPage Up",                 "",    "Bild auf",       "Re Pág",     "",    "",               "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vPage Down",               "",    "Bild ab",        "Av Pág",     "",    "",               "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vEnd",                     "",    "Ende",           "Fin",        "",    "Fin",            "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vHome",                    "",    "Pos1",           "Inicio",     "",    "",               "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vLeft",                    "",    "Links",          "Izquierda",  "",    "Gauche",         "",    "",    "",    "",    "",    "Влево",   "",    "",    "")
QOR_TR14("key\vUp",                      "",    "",               "Arriba",     "",    "Haut",           "",    "",    "",    "",    "",    "Вверх",   "",    "",    "")
QOR_TR14("key\vRight",                   "",    "Rechts",         "Derecha",    "",    "Droite",         "",    "",    "",    "",    "",    "Вправо",  "",    "",    "")
QOR_TR14("key\vDown",                    "",    "",               "Abajo",      "",    "Bas",            "",    "",    "",    "",    "",    "Вниз",    "",    "",    "")
QOR_TR14("key\vInsert",                  "",    "Einfg",          "",           "",    "Inser",          "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vDelete",                  "",    "Entf",           "Supr",       "",    "Suppr",          "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vBreak",                   "",    "",               "",           "",    "",               "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vNum[*]",                  "",    "",               "",           "",    "",               "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vNum[+]",                  "",    "",               "",           "",    "",               "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vNum[-]",                  "",    "",               "",           "",    "",               "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vNum[/]",                  "",    "",               "",           "",    "",               "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vAlt",                     "",    "Alt",            "Alt",        "",    "Alt",            "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vShift",                   "",    "Umschalt",       "Mayús",      "",    "Maj",            "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("key\vCtrl",                    "",    "Strg",           "Ctrl",       "",    "Ctrl",           "",    "",    "",    "",    "",    "",        "",    "",    "")
QOR_TR14("waiting for user response",    "",    "",               "",           "",    "",               "",    "",    "",    "",    "",    "",        "",    "",    "")
    {TRANSLATION_END, nullptr},
};

static const TranslationRecord foundation_messages[] = {
//  id, then CA-ES CS-CZ DE-DE ES-ES FI-FI FR-FR HU-HU IT-IT NL-NL PL-PL PT-BR RO-RO RU-RU SK-SK SR-SP TR-TR ZH-CN ZH-TW
QOR_TR18("Empty drive", "", "Prázdná jednotka", "Leeres Laufwerk", "Unidad vacía", "", "Lecteur vide", "", "Unità vuota", "Leeg station", "Pusty napęd", "Unidade vazia", "", "Пустой диск", "Prázdna jednotka", "", "", "", "")
QOR_TR18("Aborted by user.", "", "Přerušeno uživatelem.", "Vom Benutzer abgebrochen.", "Cancelado por el usuario.", "", "Interrompu par l'utilisateur.", "", "Interrotto dall'utente.", "Afgebroken door gebruiker.", "Przerwane przez użytkownika.", "Cancelado pelo usuário.", "", "Прервано пользователем.", "Prerušené používateľom.", "", "", "", "")

QOR_TR18("date\vSunday",    "diumenge",  "neděle",  "Sonntag",    "domingo",   "sunnuntai",   "dimanche", "vasárnap",  "domenica",  "zondag",    "niedziela",    "domingo",       "duminică", "воскресенье", "nedeľa",   "nedelja",   "Pazar",     "星期日", "星期日")
QOR_TR18("date\vMonday",    "dilluns",   "pondělí", "Montag",     "lunes",     "maanantai",   "lundi",    "hétfő",     "lunedì",    "maandag",   "poniedziałek", "segunda-feira", "luni",     "понедельник", "pondelok", "ponedeljak", "Pazartesi", "星期一", "星期一")
QOR_TR18("date\vTuesday",   "dimarts",   "úterý",   "Dienstag",   "martes",    "tiistai",     "mardi",    "kedd",      "martedì",   "dinsdag",   "wtorek",       "terça-feira",   "marți",    "вторник",     "utorok",   "utorak",    "Salı",      "星期二", "星期二")
QOR_TR18("date\vWednesday", "dimecres",  "středa",  "Mittwoch",   "miércoles", "keskiviikko", "mercredi", "szerda",    "mercoledì", "woensdag",  "środa",        "quarta-feira",  "miercuri", "среда",       "streda",   "sreda",     "Çarşamba",  "星期三", "星期三")
QOR_TR18("date\vThursday",  "dijous",    "čtvrtek", "Donnerstag", "jueves",    "torstai",     "jeudi",    "csütörtök", "giovedì",   "donderdag", "czwartek",     "quinta-feira",  "joi",      "четверг",     "štvrtok",  "četvrtak",  "Perşembe",  "星期四", "星期四")
QOR_TR18("date\vFriday",    "divendres", "pátek",   "Freitag",    "viernes",   "perjantai",   "vendredi", "péntek",    "venerdì",   "vrijdag",   "piątek",       "sexta-feira",   "vineri",   "пятница",     "piatok",   "petak",     "Cuma",      "星期五", "星期五")
QOR_TR18("date\vSaturday",  "dissabte",  "sobota",  "Samstag",    "sábado",    "lauantai",    "samedi",   "szombat",   "sabato",    "zaterdag",  "sobota",       "sábado",        "sâmbătă",  "суббота",     "sobota",   "subota",    "Cumartesi", "星期六", "星期六")

QOR_TR18("date\vSu", "dg", "Ne", "So", "Do", "Su", "Di", "V",   "Do", "zo", "Nd", "Dom", "Du", "Вс", "Ne", "ned", "Pz", "日", "日")
QOR_TR18("date\vMo", "dl", "Po", "Mo", "Lu", "Ma", "Lu", "H",   "Lu", "ma", "Pn", "Seg", "Lu", "Пн", "Po", "pon", "Pt", "一", "一")
QOR_TR18("date\vTu", "dt", "Út", "Di", "Ma", "Ti", "Ma", "K",   "Ma", "di", "Wt", "Ter", "Ma", "Вт", "Ut", "uto", "Sa", "二", "二")
QOR_TR18("date\vWe", "dc", "St", "Mi", "Mi", "Ke", "Me", "Sze", "Me", "wo", "Śr", "Qua", "Mi", "Ср", "St", "sre", "Ça", "三", "三")
QOR_TR18("date\vTh", "dj", "Čt", "Do", "Ju", "To", "Je", "Cs",  "Gi", "do", "Cz", "Qui", "Jo", "Чт", "Št", "čet", "Pe", "四", "四")
QOR_TR18("date\vFr", "dv", "Pá", "Fr", "Vi", "Pe", "Ve", "P",   "Ve", "vr", "Pt", "Sex", "Vi", "Пт", "Pi", "pet", "Cu", "五", "五")
QOR_TR18("date\vSa", "ds", "So", "Sa", "Sá", "La", "Sa", "Szo", "Sa", "za", "So", "Sáb", "Sâ", "Сб", "So", "sub", "Ct", "六", "六")

QOR_TR18("date\vJanuary",   "gener",    "leden",    "Januar",    "enero",      "tammikuu",   "janvier",   "január",     "gennaio",   "januari",   "styczeń",     "janeiro",   "ianuarie",   "январь",   "január",    "januar",    "Ocak",    "一月",   "一月")
QOR_TR18("date\vFebruary",  "febrer",   "únor",     "Februar",   "febrero",    "helmikuu",   "février",   "február",    "febbraio",  "februari",  "luty",        "fevereiro", "februarie",  "февраль",  "február",   "februar",   "Şubat",   "二月",   "二月")
QOR_TR18("date\vMarch",     "març",     "březen",   "März",      "marzo",      "maaliskuu",  "mars",      "március",    "marzo",     "maart",     "marzec",      "março",     "martie",     "март",     "marec",     "mart",      "Mart",    "三月",   "三月")
QOR_TR18("date\vApril",     "abril",    "duben",    "April",     "abril",      "huhtikuu",   "avril",     "április",    "aprile",    "april",     "kwiecień",    "abril",     "aprilie",    "апрель",   "apríl",     "april",     "Nisan",   "四月",   "四月")
QOR_TR18("date\vMay",       "maig",     "květen",   "Mai",       "mayo",       "toukokuu",   "mai",       "május",      "maggio",    "mei",       "maj",         "maio",      "mai",        "май",      "máj",       "maj",       "Mayıs",   "五月",   "五月")
QOR_TR18("date\vJune",      "juny",     "červen",   "Juni",      "junio",      "kesäkuu",    "juin",      "június",     "giugno",    "juni",      "czerwiec",    "junho",     "iunie",      "июнь",     "jún",       "jun",       "Haziran", "六月",   "六月")
QOR_TR18("date\vJuly",      "juliol",   "červenec", "Juli",      "julio",      "heinäkuu",   "juillet",   "július",     "luglio",    "juli",      "lipiec",      "julho",     "iulie",      "июль",     "júl",       "jul",       "Temmuz",  "七月",   "七月")
QOR_TR18("date\vAugust",    "agost",    "srpen",    "August",    "agosto",     "elokuu",     "août",      "augusztus",  "agosto",    "augustus",  "sierpień",    "agosto",    "august",     "август",   "august",    "avgust",    "Ağustos", "八月",   "八月")
QOR_TR18("date\vSeptember", "setembre", "září",     "September", "septiembre", "syyskuu",    "septembre", "szeptember", "settembre", "september", "wrzesień",    "setembro",  "septembrie", "сентябрь", "september", "septembar", "Eylül",   "九月",   "九月")
QOR_TR18("date\vOctober",   "octubre",  "říjen",    "Oktober",   "octubre",    "lokakuu",    "octobre",   "október",    "ottobre",   "oktober",   "październik", "outubro",   "octombrie",  "октябрь",  "október",   "oktobar",   "Ekim",    "十月",   "十月")
QOR_TR18("date\vNovember",  "novembre", "listopad", "November",  "noviembre",  "marraskuu",  "novembre",  "november",   "novembre",  "november",  "listopad",    "novembro",  "noiembrie",  "ноябрь",   "november",  "novembar",  "Kasım",   "十一月", "十一月")
QOR_TR18("date\vDecember",  "desembre", "prosinec", "Dezember",  "diciembre",  "joulukuu",   "décembre",  "december",   "dicembre",  "december",  "grudzień",    "dezembro",  "decembrie",  "декабрь",  "december",  "decembar",  "Aralık",  "十二月", "十二月")

QOR_TR18("sdate\vJan", "", "led", "Jan", "ene", "tammi",  "janv.", "jan",   "gen", "jan", "sty", "jan", "ian", "янв", "jan", "jan", "Oca", "1月",  "1月")
QOR_TR18("sdate\vFeb", "", "úno", "Feb", "feb", "helmi",  "févr.", "febr",  "feb", "feb", "lut", "fev", "feb", "фев", "feb", "feb", "Şub", "2月",  "2月")
QOR_TR18("sdate\vMar", "", "bře", "Mär", "mar", "maalis", "mars",  "márc",  "mar", "mrt", "mar", "mar", "mar", "мар", "mar", "mar", "Mar", "3月",  "3月")
QOR_TR18("sdate\vApr", "", "dub", "Apr", "abr", "huhti",  "avr.",  "ápr",   "apr", "apr", "kwi", "abr", "apr", "апр", "apr", "apr", "Nis", "4月",  "4月")
QOR_TR18("sdate\vMay", "", "kvě", "Mai", "may", "touko",  "mai",   "máj",   "mag", "mei", "maj", "mai", "mai", "май", "máj", "maj", "May", "5月",  "5月")
QOR_TR18("sdate\vJun", "", "čvn", "Jun", "jun", "kesä",   "juin",  "jún",   "giu", "jun", "cze", "jun", "iun", "июн", "jún", "jun", "Haz", "6月",  "6月")
QOR_TR18("sdate\vJul", "", "čvc", "Jul", "jul", "heinä",  "juil.", "júl",   "lug", "jul", "lip", "jul", "iul", "июл", "júl", "jul", "Tem", "7月",  "7月")
QOR_TR18("sdate\vAug", "", "srp", "Aug", "ago", "elo",    "août",  "aug",   "ago", "aug", "sie", "ago", "aug", "авг", "aug", "avg", "Ağu", "8月",  "8月")
QOR_TR18("sdate\vSep", "", "zář", "Sep", "sep", "syys",   "sept.", "szept", "set", "sep", "wrz", "set", "sep", "сен", "sep", "sep", "Eyl", "9月",  "9月")
QOR_TR18("sdate\vOct", "", "říj", "Okt", "oct", "loka",   "oct.",  "okt",   "ott", "okt", "paź", "out", "oct", "окт", "okt", "okt", "Eki", "10月", "10月")
QOR_TR18("sdate\vNov", "", "lis", "Nov", "nov", "marras", "nov.",  "nov",   "nov", "nov", "lis", "nov", "noi", "ноя", "nov", "nov", "Kas", "11月", "11月")
QOR_TR18("sdate\vDec", "", "pro", "Dez", "dic", "joulu",  "déc.",  "dec",   "dic", "dec", "gru", "dez", "dec", "дек", "dec", "dec", "Ara", "12月", "12月")

QOR_TR18("Invalid number !", "", "Neplatné číslo!", "Ungültige Zahl!", "¡Número no válido!", "", "Nombre non valide !", "", "Numero non valido!", "Ongeldig getal!", "Nieprawidłowa liczba!", "Número inválido!", "", "Неверное число!", "Neplatné číslo!", "", "", "", "")
QOR_TR18("Invalid date !", "", "Neplatné datum!", "Ungültiges Datum!", "¡Fecha no válida!", "", "Date non valide !", "", "Data non valida!", "Ongeldige datum!", "Nieprawidłowa data!", "Data inválida!", "", "Неверная дата!", "Neplatný dátum!", "", "", "", "")
QOR_TR18("Invalid time !", "", "Neplatný čas!", "Ungültige Uhrzeit!", "¡Hora no válida!", "", "Heure non valide !", "", "Ora non valida!", "Ongeldige tijd!", "Nieprawidłowy czas!", "Hora inválida!", "", "Неверное время!", "Neplatný čas!", "", "", "", "")
QOR_TR18("Null value not allowed.", "", "Prázdná hodnota není povolena.", "Leerer Wert nicht erlaubt.", "No se permite un valor vacío.", "", "Valeur vide non autorisée.", "", "Valore vuoto non consentito.", "Lege waarde niet toegestaan.", "Pusta wartość jest niedozwolona.", "Valor vazio não permitido.", "", "Пустое значение недопустимо.", "Prázdna hodnota nie je povolená.", "", "", "", "")
QOR_TR18("Number must be between %d and %d.", "", "Číslo musí být mezi %d a %d.", "Die Zahl muss zwischen %d und %d liegen.", "El número debe estar entre %d y %d.", "", "Le nombre doit être compris entre %d et %d.", "", "Il numero deve essere compreso tra %d e %d.", "Het getal moet tussen %d en %d liggen.", "Liczba musi być z zakresu od %d do %d.", "O número deve estar entre %d e %d.", "", "Число должно быть от %d до %d.", "Číslo musí byť medzi %d a %d.", "", "", "", "")
QOR_TR18("Number must be between %g and %g.", "", "Číslo musí být mezi %g a %g.", "Die Zahl muss zwischen %g und %g liegen.", "El número debe estar entre %g y %g.", "", "Le nombre doit être compris entre %g et %g.", "", "Il numero deve essere compreso tra %g e %g.", "Het getal moet tussen %g en %g liggen.", "Liczba musi być z zakresu od %g do %g.", "O número deve estar entre %g e %g.", "", "Число должно быть от %g до %g.", "Číslo musí byť medzi %g a %g.", "", "", "", "")
// These three are joined around two formatted limits and a final "."; German
// word order puts a verb after the second limit, so German keeps the English.
QOR_TR18("Date must be between ", "", "Datum musí být mezi ", "", "La fecha debe estar entre ", "", "La date doit être comprise entre ", "", "La data deve essere compresa tra ", "De datum moet liggen tussen ", "Data musi być z zakresu od ", "A data deve estar entre ", "", "Дата должна быть в диапазоне от ", "Dátum musí byť medzi ", "", "", "", "")
QOR_TR18("range\v and ", "", " a ", "", " y ", "", " et ", "", " e ", " en ", " do ", " e ", "", " до ", " a ", "", "", "", "")
QOR_TR18("Time must be between ", "", "Čas musí být mezi ", "", "La hora debe estar entre ", "", "L'heure doit être comprise entre ", "", "L'ora deve essere compresa tra ", "De tijd moet liggen tussen ", "Czas musi być z zakresu od ", "A hora deve estar entre ", "", "Время должно быть в диапазоне от ", "Čas musí byť medzi ", "", "", "", "")
QOR_TR18("Please enter no more than %d characters.", "", "Zadejte nejvýše %d znaků.", "Bitte geben Sie nicht mehr als %d Zeichen ein.", "Introduzca como máximo %d caracteres.", "", "Veuillez saisir au plus %d caractères.", "", "Inserire al massimo %d caratteri.", "Voer niet meer dan %d tekens in.", "Wprowadź nie więcej niż %d znaków.", "Digite no máximo %d caracteres.", "", "Введите не более %d символов.", "Zadajte najviac %d znakov.", "", "", "", "")

// The date settings of each language: format, scan order, input filter.
QOR_TR18("date-format\a%2:02d/%3:02d/%1:4d", "%3:02d/%2:02d/%1:4d", "%3:02d.%2:02d.%1:04d", "%3:02d.%2:02d.%1:4d", "%3:02d/%2:02d/%1:4d", "%3:02d.%2:02d.%1:04d", "%3:02d/%2:02d/%1:04d", "%1:04d.%2:02d.%3:02d.", "%3:02d/%2:02d/%1:04d", "%3:02d/%2:02d/%1:4d", "%3:02d.%2:02d.%1:04d", "%2:02d/%3:02d/%1:4d", "%3:02d/%2:02d/%1:04d", "%3:02d.%2:02d.%1:04d", "%3:02d.%2:02d.%1:04d", "%3:02d.%2:02d.%1:04d", "%3:02d.%2:02d.%1:04d", "%1:04d/%2:02d/%3:02d", "%1:04d/%2:02d/%3:02d")
QOR_TR18("date-scan\amdy", "dmy", "dmy", "dmy", "dmy", "dmy", "dmy", "ymd", "dmy", "dmy", "dmy", "mdy", "dmy", "dmy", "dmy", "dmy", "dmy", "ymd", "ymd")
QOR_TR18("date-filter\aA/\a .-", "A/\a .-", ".\r /,", "A/\r .-", "A/ .-", ".\r ,-/", "/\r .,", "A.\r .-", "/\a .,", "A/\r .-", ".\r /,", "A/\a .-", ".\r -/", ".\r /,", ".\r /,", ".\r /,", ".\r /,", "A/\r .-", "A/\r .-")

QOR_TR18("Invalid language specification.", "", "Neplatné určení jazyka.", "Ungültige Sprachangabe.", "Especificación de idioma no válida.", "", "Spécification de langue non valide.", "", "Specifica della lingua non valida.", "Ongeldige taalaanduiding.", "Nieprawidłowe określenie języka.", "Especificação de idioma inválida.", "", "Неверное указание языка.", "Neplatné určenie jazyka.", "", "", "", "")
QOR_TR18("%s:%d: ", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "")
    {TRANSLATION_END, nullptr},
};

void RegisterCompiledInTranslations()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    RegisterTranslationModule(key_names, nullptr);
    RegisterTranslationModule(foundation_messages, nullptr);
}

} // namespace Qor
