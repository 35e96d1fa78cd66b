#include "ui/qt/TextLinesView.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <algorithm>

class TextLinesModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setText(const QString& text) {
        beginResetModel();
        text_ = text;
        std::vector<qsizetype>().swap(starts_);
        longest_ = -1;
        qsizetype longestLength = -1;
        const QChar* data = text_.constData();
        const qsizetype size = text_.size();
        qsizetype start = 0;
        const auto endLine = [&](qsizetype end) {
            if (end - start > longestLength) {
                longestLength = end - start;
                longest_ = static_cast<int>(starts_.size());
            }
            starts_.push_back(start);
        };
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t c = data[i].unicode();
            if (c != u'\n' && c != u'\r')
                continue;
            endLine(i);
            if (c == u'\r' && i + 1 < size && data[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
        if (start < size)
            endLine(size);
        // Where the line after the last one would start: every line ends before the next start.
        starts_.push_back(size);
        starts_.shrink_to_fit();
        std::vector<int>().swap(shown_);
        filtered_ = false;
        uniformSize_ = QSize();
        endResetModel();
    }

    void clear() {
        beginResetModel();
        text_ = QString();
        std::vector<qsizetype>().swap(starts_);
        std::vector<int>().swap(shown_);
        filtered_ = false;
        longest_ = -1;
        uniformSize_ = QSize();
        endResetModel();
    }

    void showOnly(std::optional<std::vector<int>> lines) {
        beginResetModel();
        filtered_ = lines.has_value();
        shown_ = filtered_ ? std::move(*lines) : std::vector<int>();
        // A line that is not in the text is never shown.
        const int n = textLineCount();
        std::erase_if(shown_, [n](int i) { return i < 0 || i >= n; });
        endResetModel();
    }

    int textLineCount() const { return starts_.empty() ? 0 : static_cast<int>(starts_.size()) - 1; }
    int textLineOf(int row) const {
        if (row < 0 || row >= rowCount())
            return -1;
        return filtered_ ? shown_[static_cast<size_t>(row)] : row;
    }
    int rowOf(int line) const {
        if (!filtered_)
            return line >= 0 && line < textLineCount() ? line : -1;
        const auto i = std::lower_bound(shown_.begin(), shown_.end(), line);
        return i != shown_.end() && *i == line ? static_cast<int>(i - shown_.begin()) : -1;
    }

    const QString& text() const { return text_; }
    int longest() const { return longest_; }
    void setUniformSize(QSize size) { uniformSize_ = size; }

    QString line(int row) const { return textLine(textLineOf(row)).toString(); }

    QStringView textLine(int index) const {
        if (index < 0 || index >= textLineCount())
            return {};
        const qsizetype start = starts_[static_cast<size_t>(index)];
        qsizetype end = starts_[static_cast<size_t>(index) + 1];
        // Back over the break that closed the line (CR LF, LF or CR); the last one may have none.
        // A line holds no break of its own, so this never reaches into its text.
        if (end > start && text_[end - 1] == u'\n') {
            --end;
            if (end > start && text_[end - 1] == u'\r')
                --end;
        } else if (end > start && text_[end - 1] == u'\r') {
            --end;
        }
        return QStringView(text_).mid(start, end - start);
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        if (parent.isValid())
            return 0;
        return filtered_ ? static_cast<int>(shown_.size()) : textLineCount();
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return line(index.row());
        if (role == Qt::SizeHintRole && uniformSize_.isValid())
            return uniformSize_;
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren
                               : Qt::NoItemFlags;
    }

private:
    QString text_;
    std::vector<qsizetype> starts_;
    // The lines shown when only some are (ascending); all of them otherwise.
    std::vector<int> shown_;
    bool filtered_ = false;
    int longest_ = -1;
    QSize uniformSize_;
};

TextLinesView::TextLinesView(QWidget* parent) : QListView(parent) {
    lines_ = new TextLinesModel(this);
    setModel(lines_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
}

TextLinesView::~TextLinesView() = default;

void TextLinesView::setPlainText(const QString& text) {
    lines_->setText(text);
    // All lines take the size of the longest, so that the view can scroll to the end of any of them
    // without measuring them all.
    if (lines_->longest() >= 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QSize size = itemDelegate()->sizeHint(option, lines_->index(lines_->longest()));
        lines_->setUniformSize(size + QSize(fontMetrics().averageCharWidth() * 2, 0));
        scheduleDelayedItemsLayout();
    }
    scrollToTop();
}

QString TextLinesView::toPlainText() const {
    QString text = lines_->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

int TextLinesView::lineCount() const {
    return lines_->rowCount();
}

QString TextLinesView::line(int row) const {
    return lines_->line(row);
}

int TextLinesView::textLineCount() const {
    return lines_->textLineCount();
}

QStringView TextLinesView::textLine(int index) const {
    return lines_->textLine(index);
}

int TextLinesView::textLineOf(int row) const {
    return lines_->textLineOf(row);
}

int TextLinesView::rowOf(int index) const {
    return lines_->rowOf(index);
}

void TextLinesView::showOnly(std::optional<std::vector<int>> lines) {
    const int current = currentIndex().isValid() ? textLineOf(currentIndex().row()) : -1;
    lines_->showOnly(std::move(lines));
    // The line the operator was on stays the current one while it is shown.
    if (const int row = rowOf(current); row >= 0) {
        setCurrentIndex(lines_->index(row));
        scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
    } else {
        scrollToTop();
    }
}

void TextLinesView::clear() {
    lines_->clear();
}

void TextLinesView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void TextLinesView::copySelection() const {
    QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    lines.reserve(rows.size());
    for (const QModelIndex& row : std::as_const(rows))
        lines << lines_->line(row.row());
    QApplication::clipboard()->setText(lines.join(u'\n'));
}
