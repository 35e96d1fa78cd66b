#pragma once

// "Ricerca documenti": a query box, where to look (the open archive, every archive of mdb/, the
// archives of an abbreviation file), the ranked documents with the matched words in bold, the count
// and the time taken. Enter or a double click opens a document in the document window, opening its
// archive first when it is another one. A window of its own beside the main window: it stays open
// while archives are opened and closed.

#include "search/AmbitoRicerca.h"
#include "search/IndiceRicerca.h"

#include <QAbstractTableModel>
#include <QWidget>
#include <atomic>
#include <functional>
#include <optional>

class AppState;
class LavoroConAnnulla;
class AppState;
class FinestraPrincipale;
class Progress;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

// The results as the table shows them.
class ModelloRisultati : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Colonna { Archivio, Numero, Identificativo, Rivista, Anno, Titolo, Estratto, NumeroColonne };
    static constexpr int RuoloHtml = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;
    // Excerpts are made when their row is first shown: a page of results costs a few, not all.
    void imposta(QList<RisultatoRicerca> risultati, std::function<std::optional<QString>(qint64)> estratto);
    const QList<RisultatoRicerca>& risultati() const { return risultati_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const RisultatoRicerca& conEstratto(int riga) const;

    mutable QList<RisultatoRicerca> risultati_;
    std::function<std::optional<QString>(qint64)> estratto_;
};

class frmRicerca : public QWidget {
    Q_OBJECT

public:
    // A window of its own over the main window, which opens the documents it finds.
    frmRicerca(AppState& state, FinestraPrincipale& principale, TipoAmbito ambito);

    // Where the next search looks; "this archive" only while one is open.
    void scegliAmbito(TipoAmbito ambito);
    AmbitoRicerca ambito() const;
    const QList<RisultatoRicerca>& risultati() const { return modello_->risultati(); }
    qint64 totale() const { return totale_; }

    QLineEdit* txtRicerca = nullptr;
    QPushButton* cmdCerca = nullptr;
    QRadioButton* optArchivio = nullptr;
    QRadioButton* optTutti = nullptr;
    QRadioButton* optSigle = nullptr;
    QComboBox* cmbSigle = nullptr;
    QLabel* lblSintassi = nullptr;
    QTableView* tblRisultati = nullptr;
    QLabel* lblEsito = nullptr;
    QPushButton* cmdApri = nullptr;
    QPushButton* cmdAltri = nullptr;
    QPushButton* cmdEsporta = nullptr;
    QPushButton* cmdChiudi = nullptr;

public Q_SLOTS:
    void cmdCerca_Click();
    void cmdApri_Click();
    void cmdAltri_Click();
    void cmdEsporta_Click();
    // The scopes that can be chosen now (an archive open, abbreviation files present).
    void aggiornaAmbiti();

    // Annulla of the search running, as its button does (tests).
    void annullaRicerca();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void adattaColonne();
    void esegui(int limite);
    void mostraEsito();
    // The count found, grouped in thousands, "circa" before an estimate.
    QString totaleLeggibile() const;
    // Runs the search or the export off the window's thread, with Annulla; false (the reason told)
    // when it failed or was cancelled.
    bool inDisparte(const QString& testo,
                    const std::function<void(Progress&, const std::atomic<bool>&)>& lavoro);

    AppState& state_;
    FinestraPrincipale& principale_;
    ModelloRisultati* modello_ = nullptr;
    LavoroConAnnulla* lavoro_ = nullptr;
    QString ultimaRicerca_;
    AmbitoRicerca ultimoAmbito_;
    qint64 totale_ = 0;
    bool stimato_ = false; // totale_ estimated (a very broad query)
    bool recenti_ = false; // the page drawn from the most recent documents
    qint64 microsecondi_ = 0;
    int archiviLetti_ = 0;
    int limite_ = 0;
};

// The CSV file an export of the search windows goes to, proposed in dump/ under `nome`; empty when
// cancelled (also when the operator would not replace an existing file).
QString ChiediFileCsv(AppState& state, const QString& titolo, const QString& nome);
// "ricerca contratto appalto.csv": the start and the words of the query, as a file may be named.
QString NomeFileCsv(const QString& inizio, const QString& testo);
