#include "documents/CatturaDocumento.h"

#include "documents/Responsabilita.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"

namespace {

// The summary kinds an abstract may go into, with their buffer variables.
QString* testoDelTipo(DocumentBuffer& buffer, const QString& tipo) {
    if (tipo == u"1")
        return &buffer.TestoRiassunto;
    if (tipo == u"2")
        return &buffer.TestoSommario;
    if (tipo == u"7")
        return &buffer.TestoInTemaDi;
    if (tipo == u"8")
        return &buffer.TestoEnglishAbstract;
    return nullptr;
}

void selezionaCodice(Combo& combo, const QStringList& items, const QString& codice) {
    seleziona(combo, items, PosizioneCodice(items, codice));
}

} // namespace

CampiDocumento CampiDaDocumento(const DatiDocumento& dati, const DocumentBuffer& buffer) {
    CampiDocumento c;
    c.CPer = codiceScelto(dati.cmbCPer, static_cast<int>(dati.cmbCPer.testo.size()));
    c.TitoloRivista = dati.txtRivistaOnline;
    const QString data = testoData(dati);
    c.Data = data == u"0000-00-00" ? QString() : data;
    c.Fascicolo = dati.txtFascicolo;
    c.Volume = dati.txtVolume;
    c.Annata = dati.txtAnnata;
    c.Pagine = dati.txtPagine;
    c.DocURL = dati.txtDocURL;
    c.Titolo = dati.txtTitolo;
    c.LIN = codiceScelto(dati.ComboLIN, 2);
    c.Responsabilita = buffer.ElencoResponsabilita;
    DocumentBuffer copia = buffer;
    for (const QString& tipo :
         {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("7"), QStringLiteral("8")})
        c.Testi.insert(tipo, *testoDelTipo(copia, tipo));
    return c;
}

void CampiNelDocumento(const CampiDocumento& prima, const CampiDocumento& dopo, const ListeDocumento& liste,
                       DatiDocumento& dati, DocumentBuffer& buffer) {
    if (dopo.CPer != prima.CPer) {
        selezionaCodice(dati.cmbCPer, liste.cmbCPer, dopo.CPer);
        dati.txtRivistaOnline = dati.cmbCPer.posizione >= 1 ? dopo.TitoloRivista : QString();
    }
    if (dopo.Data != prima.Data) {
        dati.conservati.Data.reset();
        QStringList avvisi;
        caricaData(dopo.Data, liste, dati, avvisi);
    }
    const auto testo = [](QString& campo, const QString& a, const QString& b) {
        if (a != b)
            campo = b;
    };
    testo(dati.txtFascicolo, prima.Fascicolo, dopo.Fascicolo);
    testo(dati.txtVolume, prima.Volume, dopo.Volume);
    testo(dati.txtAnnata, prima.Annata, dopo.Annata);
    testo(dati.txtPagine, prima.Pagine, dopo.Pagine);
    testo(dati.txtDocURL, prima.DocURL, dopo.DocURL);
    testo(dati.txtTitolo, prima.Titolo, dopo.Titolo);
    if (dopo.LIN != prima.LIN) {
        dati.conservati.LIN.reset();
        selezionaCodice(dati.ComboLIN, liste.ComboLIN, dopo.LIN);
    }
    if (dopo.Responsabilita != prima.Responsabilita) {
        buffer.ElencoResponsabilita = dopo.Responsabilita;
        buffer.IndiceResponsabilita = -1;
        dati.lstResponsabilita = righeResponsabilita(buffer.ElencoResponsabilita);
    }
    for (auto it = dopo.Testi.cbegin(); it != dopo.Testi.cend(); ++it)
        if (it.value() != prima.Testi.value(it.key()))
            if (QString* t = testoDelTipo(buffer, it.key()))
                *t = it.value();
}
