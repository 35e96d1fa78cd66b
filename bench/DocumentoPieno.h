#pragma once

// A document as full as the budgets name, written through the window's save into an open archive:
// 5 persons, 10 pairs of the archive's own tables, 20 sources and the eight texts. With
// `caratteri`, five of the texts (summary, contents, translation, "In tema di", English abstract)
// are that long.

#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"

#include <QtGlobal>

inline VoceFonte FontePiena(int i) {
    VoceFonte v;
    v.TP = QStringLiteral("GICA");
    v.NomeFonte = QStringLiteral("Cass.");
    v.Sezione = QStringLiteral("sez. un.");
    v.giorno = QString::number(1 + i % 28);
    v.mese = QStringLiteral("novembre");
    v.anno = QStringLiteral("2008");
    v.numero = QString::number(26900 + i);
    v.testo = QStringLiteral("Cass. sez. un. %1 novembre 2008, n. %2").arg(v.giorno, v.numero);
    return v;
}

inline qint64 ScriviDocumentoPieno(cConnessione& c, const ListeDocumento& liste, int caratteri = 0) {
    DocumentBuffer b;
    b.NuovoDocumento = true;
    const qint64 id = ProssimoIDDocumento(c);
    b.IDDocCorrente = id;
    DatiDocumento d;
    PreparaDati(d, liste);
    d.txtID = QString::number(id);
    seleziona(d.cmbCPer, liste.cmbCPer, 1);
    seleziona(d.cmbAA, liste.cmbAA, 5);
    seleziona(d.cmbMM, liste.cmbMM, 4);
    seleziona(d.cmbGG, liste.cmbGG, 18);
    seleziona(d.ComboTD, liste.ComboTD, 3);
    seleziona(d.ComboTAbs, liste.ComboTAbs, 2);
    seleziona(d.ComboBib, liste.ComboBib, 1);
    seleziona(d.ComboLIN, liste.ComboLIN, 1);
    d.txtFascicolo = QStringLiteral("4");
    d.txtPagine = QStringLiteral("101-140");
    d.txtDocURL = QStringLiteral("https://example.org/articolo");
    d.txtTitolo = QStringLiteral("Il danno da perdita di chance dopo le Sezioni Unite");
    d.txtNota = QStringLiteral("Nota a Cass. sez. un. 11 novembre 2008, n. 26972");
    b.TestoRiassunto = QStringLiteral("Testo del riassunto con molte parole. ").repeated(40);
    b.TestoSommario = QStringLiteral("1. Premessa. - 2. Il quadro. - 3. Conclusioni.");
    b.TestoTraduzione = QStringLiteral("Loss of a chance after the joint sections");
    b.TestoNotaDoc = QStringLiteral("Proposta di descrittore");
    b.TestoInTemaDi = QStringLiteral("danno - chance - nesso causale");
    b.TestoEnglishAbstract = QStringLiteral("An abstract in English. ").repeated(20);
    if (caratteri > 0)
        for (QString* t : {&b.TestoRiassunto, &b.TestoSommario, &b.TestoTraduzione, &b.TestoInTemaDi,
                           &b.TestoEnglishAbstract})
            *t = t->repeated(caratteri / t->size() + 1).left(caratteri);
    for (int i = 0; i < 5; ++i)
        b.ElencoResponsabilita.append(
            VoceResponsabilita{0, QStringLiteral("Autore%1").arg(i), QStringLiteral("Nome"), i < 4, false});
    RecordSet rs = c.ApriRS(QStringLiteral("select NS, ND from tabLegameDS order by ID limit 10"));
    for (; !rs.eof(); rs.moveNext())
        b.ElencoClassificazione.append(
            VoceClassificazione{0, rs.field(0).toString(), rs.field(1).toString(), 0, false});
    rs.close();
    for (int i = 0; i < 20; ++i)
        b.ElencoFonti.append(FontePiena(i));
    const RisultatoSalvataggio r = ScriviDocumento(c, b, d);
    if (!r.salvato())
        qFatal("document not saved: %s", qPrintable(r.messaggio));
    return id;
}
