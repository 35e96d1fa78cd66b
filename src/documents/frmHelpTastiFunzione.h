#pragma once

// "Help su tasti funzione": what F1 to F12 do in the document window.

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

class frmHelpTastiFunzione : public QDialog {
    Q_OBJECT

public:
    explicit frmHelpTastiFunzione(QWidget* parent = nullptr);

    static const QStringList& righe();

    QLabel* lblIntroduzione = nullptr;
    QLabel* lblTasti = nullptr;
    QPushButton* cmdEsci = nullptr;
};
