// The widget library's messages: the captions of buttons, menus and dialogs of its controls.

#include "widgets/text/widget_messages.h"

#include "foundation/values/translation_table.h"

namespace Qor {

static const TranslationRecord widget_messages[] = {
//          id            CA-ES          CS-CZ        DE-DE               ES-ES         FI-FI              FR-FR           HU-HU           IT-IT         NL-NL              PL-PL           PT-BR         RO-RO        RU-RU           SK-SK         SR-SP      TR-TR           ZH-CN   ZH-TW
QOR_TR18("OK",         "D'acord",     "OK",        "OK",               "Aceptar",    "OK",              "OK",           "OK",           "OK",         "OK",              "OK",           "OK",         "OK",        "",             "OK",         "U redu",  "Tamam",        "确定", "確定")
QOR_TR18("Cancel",     "Cancel·la",   "Zrušit",    "Abbrechen",        "Cancelar",   "Peruuta",         "Annuler",      "Mégse",        "Annulla",    "Annuleren",       "Anuluj",       "Cancelar",   "Anulează",  "Отмена",       "Zrušiť",     "Otkaži",  "İptal",        "取消", "取消")
QOR_TR18("Yes",        "Sí",          "Ano",       "Ja",               "Sí",         "Kyllä",           "Oui",          "Igen",         "Sì",         "Ja",              "Tak",          "Sim",        "Da",        "Да",           "Áno",        "Da",      "Evet",         "是",   "是")
QOR_TR18("No",         "No",          "Ne",        "Nein",             "No",         "Ei",              "Non",          "Nem",          "No",         "Nee",             "Nie",          "Não",        "Nu",        "Нет",          "Nie",        "Ne",      "Hayır",        "否",   "否")
QOR_TR18("Abort",      "",            "Přerušit",  "Abbrechen",        "Anular",     "Keskeytä",        "Abandonner",   "Megszakítás",  "Interrompi", "Afbreken",        "Przerwij",     "Anular",     "",          "Прервать",     "Prerušiť",   "",        "",             "中止", "中止")
QOR_TR18("Retry",      "",            "Opakovat",  "Wiederholen",      "Reintentar", "Yritä uudelleen", "Réessayer",    "",             "Riprova",    "Opnieuw",         "Ponów próbę",  "Repetir",    "",          "Повторить",    "Opakovať",   "",        "Yeniden Dene", "重试", "重試")
QOR_TR18("Ignore",     "Ignora",      "Ignorovat", "Ignorieren",       "Omitir",     "Ohita",           "Ignorer",      "",             "Ignora",     "Negeren",         "Ignoruj",      "Ignorar",    "",          "Пропустить",   "Ignorovať",  "",        "Yoksay",       "忽略", "略過")
QOR_TR18("Close",      "Tanca",       "Zavřít",    "Schließen",        "Cerrar",     "Sulje",           "Fermer",       "Bezárás",      "Chiudi",     "Sluiten",         "Zamknij",      "Fechar",     "Închide",   "Закрыть",      "Zavrieť",    "Zatvori", "Kapat",        "关闭", "關閉")
QOR_TR18("Undo",       "Desfés",      "Zpět",      "Rückgängig",       "Deshacer",   "Kumoa",           "Annuler",      "Visszavonás",  "Annulla",    "Ongedaan maken",  "Cofnij",       "Desfazer",   "",          "Отменить",     "Späť",       "",        "Geri Al",      "撤销", "復原")
QOR_TR18("Cut",        "Retalla",     "Vyjmout",   "Ausschneiden",     "Cortar",     "Leikkaa",         "Couper",       "Kivágás",      "Taglia",     "Knippen",         "Wytnij",       "Recortar",   "Taie",      "Вырезать",     "Vystrihnúť", "Iseci",   "Kes",          "剪切", "剪下")
QOR_TR18("Copy",       "Copia",       "Kopírovat", "Kopieren",         "Copiar",     "Kopioi",          "Copier",       "Másolás",      "Copia",      "Kopiëren",        "Kopiuj",       "Copiar",     "Copiază",   "Копировать",   "Kopírovať",  "Kopiraj", "Kopyala",      "复制", "複製")
QOR_TR18("Paste",      "Enganxa",     "Vložit",    "Einfügen",         "Pegar",      "Liitä",           "Coller",       "Beillesztés",  "Incolla",    "Plakken",         "Wklej",        "Colar",      "Lipește",   "Вставить",     "Vložiť",     "",        "Yapıştır",     "粘贴", "貼上")
QOR_TR18("Select all", "Selecciona-ho tot", "Vybrat vše", "Alles auswählen", "Seleccionar todo", "Valitse kaikki", "Tout sélectionner", "Összes kijelölése", "Seleziona tutto", "Alles selecteren", "Zaznacz wszystko", "Selecionar tudo", "Selectează tot", "Выделить всё", "Vybrať všetko", "", "Tümünü Seç", "全选", "全選")
QOR_TR18("Erase",      "Esborra",     "Smazat",    "Löschen",          "Borrar",     "Poista",          "Effacer",      "Törlés",       "Cancella",   "Wissen",          "Usuń",         "Apagar",     "Șterge",    "Удалить",      "Vymazať",    "Obriši",  "Sil",          "删除", "刪除")
// The placeholder of the text input dialog's prompt, replaced before the dialog shows.
QOR_TR18("Test",       "Prova",       "Test",      "Test",             "Prueba",     "Testi",           "Test",         "Teszt",        "Prova",      "Test",            "Test",         "Teste",      "Test",      "Тест",         "Test",       "Test",    "Test",         "测试", "測試")
QOR_TR18("Working...", "S'està treballant...", "Pracuji...", "Bitte warten...", "Procesando...", "Käsitellään...", "Traitement en cours...", "Folyamatban...", "Elaborazione in corso...", "Bezig...", "Trwa przetwarzanie...", "Processando...", "Se lucrează...", "Выполняется...", "Pracujem...", "Obrada...", "Çalışıyor...", "正在处理...", "處理中...")
QOR_TR18("Invalid data.", "Dades no vàlides.", "Neplatná data.", "Ungültige Daten.", "Datos no válidos.", "Virheelliset tiedot.", "Données non valides.", "Érvénytelen adat.", "Dati non validi.", "Ongeldige gegevens.", "Nieprawidłowe dane.", "Dados inválidos.", "Date nevalide.", "Неверные данные.", "Neplatné údaje.", "Neispravni podaci.", "Geçersiz veri.", "数据无效。", "資料無效。")
    {TRANSLATION_END, nullptr},
};

void RegisterWidgetMessages()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    RegisterTranslationModule(widget_messages, nullptr);
}

} // namespace Qor
