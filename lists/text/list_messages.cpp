// The list library's messages: the row name, the standard row menu's items and help texts,
// and the question before rows are deleted. "%s" stands for the row name.

#include "lists/text/list_messages.h"

#include "foundation/values/translation_table.h"

namespace Qor {

// clang-format off
static const TranslationRecord list_messages[] = {
//        id                                                   CA-ES CS-CZ DE-DE  ES-ES  FI-FI FR-FR  HU-HU IT-IT  NL-NL  PL-PL PT-BR  RO-RO RU-RU SK-SK SR-SP TR-TR ZH-CN ZH-TW
QOR_TR18("row",                                                "", "", "Zeile", "fila", "", "ligne", "", "riga", "rij", "", "linha", "", "", "", "", "", "", "")
QOR_TR18("Select all table rows",                              "", "", "Alle Tabellenzeilen auswählen", "Seleccionar todas las filas de la tabla", "", "Sélectionner toutes les lignes du tableau", "", "Seleziona tutte le righe della tabella", "Alle tabelrijen selecteren", "", "Selecionar todas as linhas da tabela", "", "", "", "", "", "", "")
QOR_TR18("Insert %s",                                          "", "", "%s einfügen", "Insertar %s", "", "Insérer %s", "", "Inserisci %s", "%s invoegen", "", "Inserir %s", "", "", "", "", "", "", "")
QOR_TR18("Insert a new %s into the table.",                    "", "", "Neue %s in die Tabelle einfügen.", "Insertar una nueva %s en la tabla.", "", "Insérer une nouvelle %s dans le tableau.", "", "Inserisci una nuova %s nella tabella.", "Een nieuwe %s in de tabel invoegen.", "", "Inserir uma nova %s na tabela.", "", "", "", "", "", "", "")
QOR_TR18("Insert %s before",                                   "", "", "%s davor einfügen", "Insertar %s antes", "", "Insérer %s avant", "", "Inserisci %s prima", "%s ervoor invoegen", "", "Inserir %s antes", "", "", "", "", "", "", "")
QOR_TR18("Insert a new %s into the table before current",      "", "", "Neue %s vor der aktuellen einfügen", "Insertar una nueva %s antes de la actual", "", "Insérer une nouvelle %s avant la courante", "", "Inserisci una nuova %s prima di quella corrente", "Een nieuwe %s vóór de huidige invoegen", "", "Inserir uma nova %s antes da atual", "", "", "", "", "", "", "")
QOR_TR18("Insert %s after",                                    "", "", "%s danach einfügen", "Insertar %s después", "", "Insérer %s après", "", "Inserisci %s dopo", "%s erna invoegen", "", "Inserir %s depois", "", "", "", "", "", "", "")
QOR_TR18("Insert a new %s into the table after current",       "", "", "Neue %s nach der aktuellen einfügen", "Insertar una nueva %s después de la actual", "", "Insérer une nouvelle %s après la courante", "", "Inserisci una nuova %s dopo quella corrente", "Een nieuwe %s na de huidige invoegen", "", "Inserir uma nova %s depois da atual", "", "", "", "", "", "", "")
QOR_TR18("Append %s",                                          "", "", "%s anhängen", "Añadir %s", "", "Ajouter %s", "", "Aggiungi %s", "%s toevoegen", "", "Acrescentar %s", "", "", "", "", "", "", "")
QOR_TR18("Append a new %s at the end of the table.",           "", "", "Neue %s am Ende der Tabelle anhängen.", "Añadir una nueva %s al final de la tabla.", "", "Ajouter une nouvelle %s à la fin du tableau.", "", "Aggiungi una nuova %s alla fine della tabella.", "Een nieuwe %s aan het einde van de tabel toevoegen.", "", "Acrescentar uma nova %s ao final da tabela.", "", "", "", "", "", "", "")
QOR_TR18("Duplicate %s",                                       "", "", "%s duplizieren", "Duplicar %s", "", "Dupliquer %s", "", "Duplica %s", "%s dupliceren", "", "Duplicar %s", "", "", "", "", "", "", "")
QOR_TR18("Duplicate current table %s.",                        "", "", "Aktuelle %s der Tabelle duplizieren.", "Duplicar la %s actual de la tabla.", "", "Dupliquer la %s courante du tableau.", "", "Duplica la %s corrente della tabella.", "De huidige %s van de tabel dupliceren.", "", "Duplicar a %s atual da tabela.", "", "", "", "", "", "", "")
QOR_TR18("Edit %s",                                            "", "", "%s bearbeiten", "Editar %s", "", "Modifier %s", "", "Modifica %s", "%s bewerken", "", "Editar %s", "", "", "", "", "", "", "")
QOR_TR18("Edit active %s.",                                    "", "", "Aktive %s bearbeiten.", "Editar la %s activa.", "", "Modifier la %s active.", "", "Modifica la %s attiva.", "De actieve %s bewerken.", "", "Editar a %s ativa.", "", "", "", "", "", "", "")
QOR_TR18("Delete %s\tDelete",                                  "", "", "%s löschen\tEntf", "Eliminar %s\tSupr", "", "Supprimer %s\tSuppr", "", "Elimina %s\tCanc", "%s verwijderen\tDelete", "", "Excluir %s\tDelete", "", "", "", "", "", "", "")
QOR_TR18("Delete active %s.",                                  "", "", "Aktive %s löschen.", "Eliminar la %s activa.", "", "Supprimer la %s active.", "", "Elimina la %s attiva.", "De actieve %s verwijderen.", "", "Excluir a %s ativa.", "", "", "", "", "", "", "")
QOR_TR18("Move %s up",                                         "", "", "%s nach oben", "Subir %s", "", "Monter %s", "", "Sposta %s in alto", "%s omhoog", "", "Mover %s para cima", "", "", "", "", "", "", "")
QOR_TR18("Swap %s with previous thus moving it up.",           "", "", "%s mit der vorigen tauschen und so nach oben schieben.", "Intercambiar la %s con la anterior, subiéndola.", "", "Échanger la %s avec la précédente pour la monter.", "", "Scambia la %s con la precedente spostandola in alto.", "De %s met de vorige verwisselen en zo omhoog schuiven.", "", "Trocar a %s com a anterior, movendo-a para cima.", "", "", "", "", "", "", "")
QOR_TR18("Move %s down",                                       "", "", "%s nach unten", "Bajar %s", "", "Descendre %s", "", "Sposta %s in basso", "%s omlaag", "", "Mover %s para baixo", "", "", "", "", "", "", "")
QOR_TR18("Swap %s with next thus moving it down.",             "", "", "%s mit der nächsten tauschen und so nach unten schieben.", "Intercambiar la %s con la siguiente, bajándola.", "", "Échanger la %s avec la suivante pour la descendre.", "", "Scambia la %s con la successiva spostandola in basso.", "De %s met de volgende verwisselen en zo omlaag schuiven.", "", "Trocar a %s com a próxima, movendo-a para baixo.", "", "", "", "", "", "", "")
QOR_TR18("Do you really want to delete the selected %s ?",     "", "", "Wollen Sie die ausgewählte %s wirklich löschen?", "¿Desea realmente eliminar la %s seleccionada?", "", "Voulez-vous vraiment supprimer la %s sélectionnée ?", "", "Eliminare davvero la %s selezionata?", "Wilt u de geselecteerde %s echt verwijderen?", "", "Deseja realmente excluir a %s selecionada?", "", "", "", "", "", "", "")
    {TRANSLATION_END, nullptr},
};
// clang-format on

void RegisterListMessages()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    RegisterTranslationModule(list_messages, nullptr);
}

} // namespace Qor
