#include "gui/grid/FGrid.h"

#include "core/grid/Columns.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int twipsPerPixel = 15;
constexpr int defaultRowHeightTwips = 240;
constexpr int currentFrameWidth = 2;

// Paints each cell with the OLE colours of the model. The colours stay
// visible on the current cell, which gets a frame, and show through the tint
// of the other selected cells: the red tag mark is never hidden.
class OleColorDelegate : public QStyledItemDelegate
{
public:
    explicit OleColorDelegate(const GridModel *grid, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_grid(grid)
    {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        // The grid's current cell, where an extended selection starts.
        const bool current = index.row() == m_grid->row() - 1 && index.column() == m_grid->col();
        const QColor frame = cell.palette.color(QPalette::Highlight);
        if (cell.state.testFlag(QStyle::State_Selected) && !current) {
            const QColor back = cell.backgroundBrush.color();
            cell.backgroundBrush =
                QColor::fromRgbF((back.redF() * 2 + frame.redF()) / 3, (back.greenF() * 2 + frame.greenF()) / 3,
                                 (back.blueF() * 2 + frame.blueF()) / 3);
        }
        cell.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        const QStyle *style = cell.widget ? cell.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
        if (current) {
            painter->save();
            painter->setPen(QPen(frame, currentFrameWidth));
            painter->setBrush(Qt::NoBrush);
            const int inset = currentFrameWidth / 2;
            painter->drawRect(cell.rect.adjusted(inset, inset, -inset - 1, -inset - 1));
            painter->restore();
        }
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = oleColor(index.data(GridModel::OleBackColorRole).toUInt(), option->palette);
        option->palette.setColor(QPalette::Text,
                                 oleColor(index.data(GridModel::OleForeColorRole).toUInt(), option->palette));
    }

private:
    const GridModel *m_grid;
};

// The header row: the texts of grid row 0 on their own background and text colours.
class GridHeader : public QHeaderView
{
public:
    explicit GridHeader(QWidget *parent)
        : QHeaderView(Qt::Horizontal, parent)
    {}

protected:
    void paintSection(QPainter *painter, const QRect &rect, int section) const override
    {
        if (!rect.isValid())
            return;
        const auto role = [this, section](int r) { return model()->headerData(section, Qt::Horizontal, r); };
        painter->save();
        painter->fillRect(rect, oleColor(role(GridModel::OleBackColorRole).toUInt(), palette()));
        painter->setPen(palette().color(QPalette::Dark));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->setPen(oleColor(role(GridModel::OleForeColorRole).toUInt(), palette()));
        painter->drawText(rect.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          role(Qt::DisplayRole).toString());
        painter->restore();
    }
};

// What a column without a width of its own usually shows: the grid's
// default width is widened to fit it.
QString usualText(int column)
{
    switch (column) {
    case GridColumn::FileType: return QStringLiteral("  MPEG audio file");
    case GridColumn::FileName: return QStringLiteral("  \\iPod_Control\\Music\\F00\\ABCD.mp3");
    default: return {};
    }
}

}  // namespace

QColor oleColor(OleColor color, const QPalette &palette)
{
    if (!GridColors::isSystemColor(color))
        return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                      static_cast<int>((color >> 16) & 0xFF));
    switch (color & 0xFF) {
    case 15: return palette.color(QPalette::Button);
    case 8: return palette.color(QPalette::Text);
    case 5:
    default: return palette.color(QPalette::Base);
    }
}

FGrid::FGrid(GridModel *grid, QWidget *parent)
    : QTableView(parent)
    , m_grid(grid)
{
    setHorizontalHeader(new GridHeader(this));
    setItemDelegate(new OleColorDelegate(grid, this));
    setModel(grid);

    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(
        std::max(defaultRowHeightTwips / twipsPerPixel, fontMetrics().height() + 2));
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setContextMenuPolicy(Qt::PreventContextMenu);

    connect(grid, &GridModel::columnLayoutChanged, this, &FGrid::applyColumnLayout);
    connect(grid, &QAbstractItemModel::modelReset, this, &FGrid::applyColumnLayout);
    connect(grid, &GridModel::currentCellChanged, this, &FGrid::showModelCurrentCell);
    connect(grid, &GridModel::topRowChanged, this, &FGrid::showTopRow);
    applyColumnLayout();
    showModelCurrentCell();
}

void FGrid::applyColumnLayout()
{
    for (int c = 0; c < m_grid->cols(); ++c) {
        const int twips = m_grid->colWidth(c);
        // A cell's text sits between the style's margins, one on each side.
        const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
        const int usual = fontMetrics().horizontalAdvance(usualText(c)) + margins;
        setColumnWidth(c,
                       twips >= 0 ? twips / twipsPerPixel : std::max(horizontalHeader()->defaultSectionSize(), usual));
    }
}

void FGrid::showModelCurrentCell()
{
    if (m_syncing)
        return;
    const QScopedValueRollback guard(m_syncing, true);
    if (m_grid->row() < 1) {
        selectionModel()->clear();
        return;
    }
    // A move made by the program leaves the view where the user put it.
    const QScopedValueRollback keepView(m_keepView, true);
    const QModelIndex index = m_grid->index(m_grid->row() - 1, m_grid->col());
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void FGrid::showTopRow(int row)
{
    verticalScrollBar()->setValue(row - 1);
}

void FGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    {
        // The base class scrolls the new current cell into view.
        const bool autoScroll = hasAutoScroll();
        setAutoScroll(autoScroll && !m_keepView);
        QTableView::currentChanged(current, previous);
        setAutoScroll(autoScroll);
    }
    if (m_syncing || !current.isValid())
        return;
    const QScopedValueRollback guard(m_syncing, true);
    if (m_extendsSelection)
        m_grid->setSelectionEnd(current.row() + 1, current.column());
    else
        m_grid->setCurrentCell(current.row() + 1, current.column());
    m_extendsSelection = false;
}

QItemSelectionModel::SelectionFlags FGrid::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    const QItemSelectionModel::SelectionFlags command = QTableView::selectionCommand(index, event);
    m_extendsSelection = command.testFlag(QItemSelectionModel::Current);
    return command;
}

void FGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton && event->buttons() == Qt::RightButton)
        emit rightButtonPressed(event->globalPosition().toPoint());
    // Only the left button moves the current cell.
    if (event->button() == Qt::LeftButton)
        QTableView::mousePressEvent(event);
    else
        event->accept();
}

void FGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !std::exchange(m_doubleClicked, false))
        emit cellClicked();
}

void FGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        m_doubleClicked = true;
        emit cellDoubleClicked();
    }
}

void FGrid::keyPressEvent(QKeyEvent *event)
{
    // Keys that produce a character belong to the window (tagging, moving on);
    // the view must not use them for editing, selecting or searching.
    const QString text = event->text();
    if (!text.isEmpty() && text.front() != QChar(0x7F)) {
        event->accept();
        emit characterTyped(text.front().unicode());
        // The key is the user's own move: where it leaves the current cell is shown.
        if (currentIndex().isValid())
            scrollTo(currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}
