#include "checks/Estrazioni.h"

#include "checks/Uscite.h"

namespace {

struct Sezione {
    const char* intestazione;
    const char* tabella;
    const char* query;
};

// The lookup column is qualified with its table: SQLite would otherwise read a missing "nuovo"
// as the select's own alias "Nuovo" and quietly list nothing for an archive of the old structure.
// The sources come first in the join (a cross join fixes SQLite's order): one sequential pass over
// tabFonte with key lookups, instead of a random lookup of tabFonte for every link of the archive.
const Sezione kSezioni[] = {
    {"Nuovi inserimenti in tabStato", "tabStato",
     "select Stato as Nuovo, IDDoc from tabFonte cross join tabStato cross join legameDocFonte where "
     "legameDocFonte.IDFonte = "
     "tabFonte.IDFonte and tabFonte.IDStato = tabStato.IDStato and tabStato.nuovo = 1"},
    {"Nuovi inserimenti in tabCitta", "tabCitta",
     "select Citta as Nuovo, IDDoc from tabFonte cross join tabCitta cross join legameDocFonte where "
     "legameDocFonte.IDFonte = "
     "tabFonte.IDFonte and tabFonte.IDCitta = tabCitta.IDCitta and tabCitta.nuovo = 1"},
    {"Nuovi inserimenti in tabSezione", "tabSezione",
     "select Sigla as Nuovo, IDDoc from tabFonte cross join tabsezione cross join legameDocFonte where "
     "legameDocFonte.IDFonte = "
     "tabFonte.IDFonte and tabFonte.IDSezione = tabSezione.IDSezione and tabSezione.nuovo = 1"},
    {"Nuovi inserimenti in tabMinistero", "tabMinistero",
     "select MinisteroNorm as Nuovo, IDDoc from tabFonte cross join tabMinistero cross join legameDocFonte "
     "where "
     "legameDocFonte.IDFonte "
     "= tabFonte.IDFonte and tabFonte.IDMinistero = tabMinistero.IDMinistero and tabMinistero.nuovo = 1"},
    {"Nuovi inserimenti in tabAmministrzione", "tabAmministrazione",
     "select AmministrazioneNorm as Nuovo, IDDoc from tabFonte cross join tabAmministrazione cross join "
     "legameDocFonte where "
     "legameDocFonte.IDFonte = tabFonte.IDFonte and tabFonte.IDAmministrazione = "
     "tabAmministrazione.IDAmministrazione and tabAmministrazione.nuovo = 1"},
    {"Nuovi inserimenti in tabAutorita", "tabAutorita",
     "select AutoritaNorm as Nuovo, IDDoc from tabFonte cross join tabAutorita cross join legameDocFonte "
     "where "
     "legameDocFonte.IDFonte = "
     "tabFonte.IDFonte and tabFonte.IDAutorita = tabAutorita.IDAutorita and tabAutorita.nuovo = 1"},
};

} // namespace

void NuoviInserimenti(AppState& state, const QString& tabella, const QString& query, TextOutput& file) {
    try {
        RecordSet rs = state.Connessione.ApriRS(query);
        if (rs.eof()) {
            file.writeLine(QStringLiteral("Nessuna novità in ") + tabella);
            return;
        }
        for (; !rs.eof(); rs.moveNext())
            file.writeLine(QStringLiteral("Nuovo: ") + rs.field(0).toString() + QStringLiteral(" (") +
                           rs.field(1).toString() + u')');
    } catch (const DbError&) {
        file.writeLine(QStringLiteral(
            "Impossibilità di risultato a causa della struttura non aggiornata della tabella"));
    }
}

QString EstraiNuovi(AppState& state) {
    TextOutput file;
    {
        BusyScope busy(state.ui(), QStringLiteral("Estrazione dei nuovi inserimenti..."));
        busy.progress().setRange(std::size(kSezioni));
        ApriUscita(file, state, QStringLiteral("nuovi.") + fileNamePart(state.Consegna()), true);
        LetturaUnica lettura(state.Connessione);
        qint64 fatte = 0;
        for (const Sezione& s : kSezioni) {
            file.writeLine(QString::fromUtf8(s.intestazione));
            NuoviInserimenti(state, QString::fromUtf8(s.tabella), QString::fromUtf8(s.query), file);
            file.writeLine();
            busy.progress().setValue(++fatte);
        }
        file.close();
    }
    state.ui().message(QStringLiteral("Fine estrazione nuovi ai documenti (consegna ") + state.Consegna() +
                       u')');
    return file.path();
}

QString EstraiNote(AppState& state) {
    TextOutput file;
    {
        BusyScope busy(state.ui(), QStringLiteral("Estrazione delle note del compilatore..."));
        qint64 numero = state.NumInizio();
        ApriUscita(file, state, QStringLiteral("note.") + fileNamePart(state.Consegna()), true);
        LetturaUnica lettura(state.Connessione);
        {
            RecordSet n = state.Connessione.ApriRS(QStringLiteral("select count(*) as T from tabDocumento"));
            busy.progress().setRange(n.eof() ? 0 : n.field(0).toLongLong());
        }
        RecordSet doc = state.Connessione.ApriRS(
            QStringLiteral("select IDDocumento from tabDocumento order by IDDocumento"));
        qint64 fatti = 0;
        for (; !doc.eof(); doc.moveNext()) {
            const qint64 id = doc.field(0).toLongLong();
            RecordSet nota = state.Connessione.ApriRS(
                QStringLiteral(
                    "select TabTesto.Testo from TabTesto, LegameDocTesto where TabTesto.IDTesto = "
                    "LegameDocTesto.IDTesto and LegameDocTesto.IDDoc = ? and LegameDocTesto.Tipo = '5'"),
                {id});
            if (!nota.eof()) {
                file.writeLine(IdentificativoDocumento(state, numero) + QStringLiteral(" (Record: ") +
                               QString::number(id) + u')');
                ScriviRighe(file, nota.field(0).toString());
            }
            numero = NumeroSpostato(numero, 1);
            busy.progress().setValue(++fatti);
        }
        doc.close();
        if (state.ModoAggiornamento)
            file.writeLine();
        file.close();
    }
    state.ui().message(QStringLiteral("Fine estrazione note ai documenti (consegna ") + state.Consegna() +
                       u')');
    return file.path();
}
