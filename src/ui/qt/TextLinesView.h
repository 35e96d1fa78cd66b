#pragma once

// A read-only text shown as a list of its lines. The text is kept once, as given; a line is cut out
// of it only when it comes into sight, and every line has the same height, so a text of millions of
// characters opens at once and costs little more than its own size. Lines are selected whole;
// Ctrl+C copies the selected ones.

#include <QListView>
#include <optional>
#include <vector>

class TextLinesModel;

class TextLinesView : public QListView {
    Q_OBJECT

public:
    explicit TextLinesView(QWidget* parent = nullptr);
    ~TextLinesView() override;

    // Line breaks may be CR LF, LF or CR; a break at the very end opens no further line.
    void setPlainText(const QString& text);
    // The text with LF line breaks, as a text box gives it.
    QString toPlainText() const;
    // The text as it was given, and nothing else, is shown: it cannot be edited.
    bool isReadOnly() const { return true; }
    // The rows shown: every line of the text, or those showOnly chose.
    int lineCount() const;
    QString line(int row) const;
    // The text's own lines, shown or not; a line is a part of the text, valid until it changes.
    int textLineCount() const;
    QStringView textLine(int index) const;
    // The line of the text a row shows, and the row of a line (-1 when it is not shown).
    int textLineOf(int row) const;
    int rowOf(int index) const;
    // Shows only these lines of the text (ascending indices), or all of them for nullopt. The
    // current line stays current when it is still shown; the selection goes.
    void showOnly(std::optional<std::vector<int>> lines);
    // Drops the text and its index (the memory goes with them).
    void clear();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void copySelection() const;

    TextLinesModel* lines_ = nullptr;
};
