#pragma once

// "Help su tasti funzione": what F1 to F12 do in the document window, and the window's other keys.

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

class frmHelpTastiFunzione : public QDialog {
    Q_OBJECT

public:
    explicit frmHelpTastiFunzione(QWidget* parent = nullptr);

    static const QStringList& righe();
    // The keys beyond the function keys.
    static const QStringList& altreRighe();

    QLabel* lblIntroduzione = nullptr;
    QLabel* lblTasti = nullptr;
    QLabel* lblAltriTasti = nullptr;
    QPushButton* cmdEsci = nullptr;
};
