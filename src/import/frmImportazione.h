#pragma once

// "Riepilogo importazione": what an import of Access files made, rows per table (or one line per
// archive of a folder), and every anomaly, with the file where the same summary was written.

#include "import/ImportaArchivio.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

class frmImportazione : public QDialog {
    Q_OBJECT

public:
    frmImportazione(const EsitoImportazione& esito, QWidget* parent = nullptr);
    frmImportazione(const EsitoCartella& esito, QWidget* parent = nullptr);

    QLabel* lblIntestazione = nullptr;
    QTableWidget* grdRighe = nullptr;
    QLabel* lblAnomalie = nullptr;
    QPlainTextEdit* txtAnomalie = nullptr;
    QLabel* lblFile = nullptr;
    QPushButton* cmdChiudi = nullptr;

private:
    explicit frmImportazione(QWidget* parent);
    void riempiTabella(const QStringList& headers, const QList<QStringList>& rows);
};
