#include "ui/qt/QtDialogs.h"

#include "ui/qt/QtTranslations.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

void QtProgress::setRange(qint64 total) {
    total_ = total;
    if (dialog_)
        dialog_->setRange(0, static_cast<int>(std::min<qint64>(total, std::numeric_limits<int>::max())));
}

void QtProgress::setValue(qint64 done) {
    if (!dialog_)
        return;
    // Repaint a few times a second, not for every document.
    if (clock_.elapsed() < 100 && done < total_)
        return;
    clock_.restart();
    dialog_->setValue(static_cast<int>(std::min<qint64>(done, std::numeric_limits<int>::max())));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtProgress::keepAlive() {
    if (!dialog_ || clock_.elapsed() < 100)
        return;
    clock_.restart();
    // The dialog shows itself on a value, once its delay has passed: the same value again.
    dialog_->setValue(std::max(dialog_->value(), dialog_->minimum()));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtProgress::setLabel(const QString& text) {
    if (dialog_) {
        dialog_->setLabelText(text);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

QtDialogs::~QtDialogs() {
    endProgress();
}

namespace {

// A box with a short text ("Fine stampa") is narrower than its own title, and the window frame
// then shows the title as "...". The box is made wide enough for the title and the frame's buttons.
void fitTitle(QMessageBox& box, const QString& title) {
    QFont font = box.font();
    font.setBold(true);
    const int frameButtons = 4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int width = QFontMetrics(font).horizontalAdvance(title) + frameButtons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

QWidget* QtDialogs::parentWindow() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

namespace {

void impostaIcona(QMessageBox& box, Icon icon) {
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::None:
        break;
    }
}

// Long runs and waits keep the hourglass; a box is answered with the normal pointer.
void mostra(QMessageBox& box) {
    const QCursor* pointer = QApplication::overrideCursor();
    const bool busy = pointer && pointer->shape() == Qt::WaitCursor;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
}

} // namespace

Answer QtDialogs::message(const QString& text, const QString& title, Buttons buttons, Icon icon) {
    QMessageBox box(parentWindow());
    box.setWindowTitle(title);
    box.setText(text);
    impostaIcona(box, icon);
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case Buttons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        break;
    case Buttons::YesNo:
        yes = box.addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        break;
    case Buttons::YesNoCancel:
        yes = box.addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        break;
    }
    box.setDefaultButton(ok ? ok : yes);
    if (cancel)
        box.setEscapeButton(cancel);
    else if (no)
        box.setEscapeButton(no);
    else
        box.setEscapeButton(ok);
    fitTitle(box, title);
    mostra(box);
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes && yes)
        return Answer::Yes;
    if (clicked == no && no)
        return Answer::No;
    if (clicked == ok && ok)
        return Answer::Ok;
    return cancel ? Answer::Cancel : (no ? Answer::No : Answer::Ok);
}

int QtDialogs::choose(const QString& text, const QString& title, const QStringList& choices, Icon icon) {
    QMessageBox box(parentWindow());
    box.setWindowTitle(title);
    box.setText(text);
    impostaIcona(box, icon);
    QList<QPushButton*> buttons;
    for (qsizetype i = 0; i < choices.size(); ++i)
        buttons << box.addButton(choices[i],
                                 i + 1 < choices.size() ? QMessageBox::ActionRole : QMessageBox::RejectRole);
    if (!buttons.isEmpty()) {
        box.setDefaultButton(buttons.last());
        box.setEscapeButton(buttons.last());
    }
    fitTitle(box, title);
    mostra(box);
    const auto i = buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
    return i >= 0 ? static_cast<int>(i) : static_cast<int>(choices.size()) - 1;
}

std::optional<QString> QtDialogs::input(const QString& prompt, const QString& title, const QString& initial) {
    QInputDialog dialog(parentWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annulla"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtDialogs::chooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(parentWindow(), request.title, request.folder, request.filter);
    fileDialogInItalian(dialog);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.chooseFolder) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
    } else if (request.mustExist) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void QtDialogs::setBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        if (--busyDepth_ == 0)
            QApplication::restoreOverrideCursor();
    }
}

Progress& QtDialogs::progress(const QString& title) {
    endProgress();
    dialog_ = new QProgressDialog(title, QString(), 0, 0, parentWindow());
    dialog_->setObjectName(QStringLiteral("dlgProgresso"));
    dialog_->setWindowTitle(applicationTitle());
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(400);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    progress_ = std::make_unique<QtProgress>(dialog_);
    return *progress_;
}

void QtDialogs::endProgress() {
    progress_.reset();
    if (dialog_) {
        dialog_->close();
        dialog_->deleteLater();
        dialog_ = nullptr;
    }
}

bool QtDialogs::openUrl(const QString& url) {
    const QUrl address(url);
    return address.isValid() && QDesktopServices::openUrl(address);
}
