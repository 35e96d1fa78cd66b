#include "classification/mdlClasse.h"

#include "store/VoceFonte.h"

QString rigaClassificazione(const VoceClassificazione& voce) {
    const QString riga = QString::number(voce.Controllo) + QStringLiteral(" - ") + voce.CodiceS +
                         QStringLiteral("; ") + voce.CodiceD;
    return voce.Cancellata ? marcaCancellata() + riga : riga;
}

QStringList righeClassificazione(const QList<VoceClassificazione>& elenco) {
    QStringList righe;
    righe.reserve(elenco.size());
    for (const VoceClassificazione& v : elenco)
        righe << rigaClassificazione(v);
    return righe;
}

QList<VoceClassificazione> CaricaClassificazione(cConnessione& connection, qint64 IDDoc) {
    QList<VoceClassificazione> elenco;
    RecordSet rs = connection.ApriRS(
        QStringLiteral("SELECT * FROM LegameDocClass WHERE IDDoc = ? order by ID"), {IDDoc});
    for (; !rs.eof(); rs.moveNext()) {
        VoceClassificazione v;
        v.ID = rs.field(u"ID").toLongLong();
        v.CodiceS = rs.field(u"CodiceS").toString();
        v.CodiceD = rs.field(u"CodiceD").toString();
        if (v.CodiceD == u"0")
            v.CodiceD.clear();
        v.Controllo = rs.field(u"Controllo").toInt();
        elenco.append(v);
    }
    return elenco;
}

// The code columns compare without regard to case (the schema says so), as operators type codes in
// either case.
std::optional<QString> DescrizioneSistematico(cConnessione& connection, const QString& CodiceS) {
    RecordSet rs = connection.ApriRS(
        QStringLiteral("select sigla, descrizione from tabSistematici where CodiceS = ?"), {CodiceS});
    if (rs.eof())
        return std::nullopt;
    return rs.field(u"sigla").toString() + QStringLiteral(" - ") + rs.field(u"descrizione").toString();
}

std::optional<QString> DescrizioneDescrittore(cConnessione& connection, const QString& CodiceD) {
    RecordSet rs = connection.ApriRS(
        QStringLiteral("select Descrizione from tabDescrittori where CodiceD = ?"), {CodiceD});
    if (rs.eof())
        return std::nullopt;
    return rs.field(0).toString();
}

int ControlloDescrittore(cConnessione& connection, const QString& CodiceS, const QString& CodiceD) {
    RecordSet rs = connection.ApriRS(QStringLiteral("select ID from TabLegameDS where NS = ? and ND = ?"),
                                     {CodiceS, CodiceD});
    return rs.eof() ? CoppiaNonValida : CoppiaValida;
}

int ControlloAsteriscato(cConnessione& connection, const QString& CodiceS, const QString& CodiceD) {
    RecordSet rs = connection.ApriRS(
        QStringLiteral("select ID from tabLegameDSA where NS = ? and CodiceD = ?"), {CodiceS, CodiceD});
    return rs.eof() ? AsteriscoNonValida : AsteriscoValida;
}

QStringList ElencoAsteriscati(cConnessione& connection) {
    QStringList items{QStringLiteral("Asteriscati")};
    RecordSet rs =
        connection.ApriRS(QStringLiteral("select distinct ND, CodiceD from TablegameDSA order by ND"));
    for (; !rs.eof(); rs.moveNext())
        items << rs.field(u"CodiceD").toString() + QStringLiteral(" - ") + rs.field(u"ND").toString();
    return items;
}

QStringList ListaAsteriscati(cConnessione& connection) {
    QStringList righe;
    RecordSet rs = connection.ApriRS(QStringLiteral("select nd, ns from tabLegameDSA order by ND"));
    for (; !rs.eof(); rs.moveNext())
        righe << rs.field(u"ns").toString() + QStringLiteral(" --- ") + rs.field(u"nd").toString();
    return righe;
}

int posizioneAsteriscato(const QStringList& items, const QString& CodiceD) {
    for (int i = 0; i < items.size(); ++i)
        if (items.at(i).left(5) == CodiceD)
            return i;
    return 0;
}

QString rigaDescrittore(const QString& CodiceD, const QString& descrizione) {
    return CodiceD + QStringLiteral(" --> ") + descrizione;
}

namespace {

// A check that cannot be run leaves the pair as valid, as the dialog always did.
template <class F> int controlla(F&& f) {
    try {
        return f();
    } catch (const DbError&) {
        return CoppiaValida;
    }
}

} // namespace

bool MemorizzaClassificazione(cConnessione& connection, DocumentBuffer& buffer,
                              const DatiClassificazione& dati) {
    if (dati.txtSistematico.isEmpty())
        return false;
    const QString sistematico = dati.txtSistematico;
    const bool asteriscatoScelto = dati.cmbAsteriscati > 0;
    const int i = buffer.IndiceClassificazione;
    if (i >= 0 && i < buffer.ElencoClassificazione.size()) {
        VoceClassificazione& v = buffer.ElencoClassificazione[i];
        v.CodiceS = sistematico.toUpper();
        v.Controllo = CoppiaValida;
        if (!dati.txtDescrittore.isEmpty()) {
            v.CodiceD = dati.txtDescrittore;
            v.Controllo =
                controlla([&] { return ControlloDescrittore(connection, sistematico, dati.txtDescrittore); });
        } else if (!asteriscatoScelto) {
            v.CodiceD.clear();
        } else {
            v.CodiceD = dati.asteriscato.left(5).toUpper();
            v.Controllo = controlla([&] { return ControlloAsteriscato(connection, sistematico, v.CodiceD); });
        }
        return true;
    }
    if (!dati.lstDescrittore.isEmpty()) {
        for (const QString& riga : dati.lstDescrittore) {
            VoceClassificazione v;
            v.CodiceS = sistematico.toUpper();
            v.CodiceD = riga.left(5).toUpper();
            v.Controllo = controlla([&] { return ControlloDescrittore(connection, sistematico, v.CodiceD); });
            buffer.ElencoClassificazione.append(v);
        }
        return true;
    }
    VoceClassificazione v;
    v.CodiceS = sistematico.toUpper();
    if (asteriscatoScelto) {
        v.CodiceD = dati.asteriscato.left(5).toUpper();
        v.Controllo = controlla([&] { return ControlloAsteriscato(connection, sistematico, v.CodiceD); });
    }
    buffer.ElencoClassificazione.append(v);
    return true;
}
