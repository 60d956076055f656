#include "platform/desktop/comctl32/list_view_widget.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

#include "platform/desktop/comctl32/image_lists.h"
#include "platform/desktop/user32/input.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/win32/comctl32.h"
#include "platform/win32/user32.h"

namespace platform::comctl32 {

using namespace win32;

namespace {

constexpr int kMargin = 2;          // before the first part of a row and between its parts
constexpr int kSubItemPadding = 6;  // left and right of a subitem's text
constexpr int kCheckSize = 16;
constexpr int kMaxIndent = 64;  // image widths; a larger indent draws as this one
constexpr int kHoverSelectMs = 400;

QColor ColourOf(COLORREF c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

COLORREF ColourRefOf(const QColor& c) {
  return static_cast<COLORREF>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

QSize ImageListSize(HIMAGELIST list) {
  const ImageListObject* object = ImageLists().Find(list);
  return object ? QSize(object->width, object->height) : QSize();
}

// Paints one cell and makes the label editor.
class CellPainter final : public QStyledItemDelegate {
 public:
  explicit CellPainter(ListViewWidget* view) : QStyledItemDelegate(view), view_(view) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

 private:
  ListViewWidget* view_;
};

void CellPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
  const int row = index.row();
  const int column = index.column();
  const ListViewModel& data = view_->Data();
  if (!data.ValidRow(row)) return;
  const ListRow& item = data.rows()[static_cast<size_t>(row)];
  const CellLayout layout = view_->LayoutOf(option.rect, row, column);
  const bool fullRow = view_->ExtendedStyle() & LVS_EX_FULLROWSELECT;
  const bool selected = view_->ShowsSelected(row) && (fullRow || column == 0);
  const QString text =
      data.ValidColumn(column) || column == 0 ? index.data().toString() : QString();

  const QFontMetrics metrics(option.font);
  QRect highlight = option.rect;
  if (!fullRow) {
    highlight = layout.label;
    highlight.setWidth(
        std::min(layout.label.width(), metrics.horizontalAdvance(text) + 2 * kMargin));
  }
  const COLORREF textBackground = view_->TextBackground();
  if (selected) {
    const QPalette::ColorGroup group = view_->hasFocus() ? QPalette::Active : QPalette::Inactive;
    painter->fillRect(highlight, option.palette.color(group, QPalette::Highlight));
  } else if (textBackground != CLR_NONE && textBackground != CLR_DEFAULT &&
             textBackground != view_->Background()) {
    painter->fillRect(layout.label, ColourOf(textBackground));
  }

  if (column == 0) {
    const UINT stateImage = (view_->StateOf(row) & LVIS_STATEIMAGEMASK) >> 12;
    if (view_->ExtendedStyle() & LVS_EX_CHECKBOXES) {
      QStyleOptionViewItem check(option);
      check.rect = layout.state;
      check.state = (check.state & ~QStyle::State_HasFocus) |
                    (stateImage == 2 ? QStyle::State_On : QStyle::State_Off);
      view_->style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, view_);
    } else if (const QImage* image = ImageListShownImage(view_->ImageList(LVSIL_STATE),
                                                         static_cast<int>(stateImage) - 1)) {
      painter->drawImage(layout.state.topLeft(), *image);
    }
    const int imageIndex = item.cells[0].image;
    if (const QImage* image = ImageListShownImage(view_->ImageList(LVSIL_SMALL), imageIndex))
      painter->drawImage(layout.image.topLeft(), *image);
  }

  if (!text.isEmpty()) {
    QFont font = option.font;
    if ((view_->ExtendedStyle() & LVS_EX_UNDERLINEHOT) && row == view_->HotRow())
      font.setUnderline(true);
    painter->setFont(font);
    const COLORREF textColour = view_->TextColour();
    painter->setPen(
        selected ? option.palette.color(view_->hasFocus() ? QPalette::Active : QPalette::Inactive,
                                        QPalette::HighlightedText)
        : textColour == CLR_DEFAULT ? option.palette.color(QPalette::Text)
                                    : ColourOf(textColour));
    int justify = column == 0 || !data.ValidColumn(column)
                      ? LVCFMT_LEFT
                      : data.columns()[static_cast<size_t>(column)].format & LVCFMT_JUSTIFYMASK;
    const Qt::Alignment align = (justify == LVCFMT_RIGHT    ? Qt::AlignRight
                                 : justify == LVCFMT_CENTER ? Qt::AlignHCenter
                                                            : Qt::AlignLeft) |
                                Qt::AlignVCenter;
    const QRect textRect = layout.label.adjusted(kMargin, 0, -kMargin, 0);
    painter->drawText(textRect, static_cast<int>(align.toInt()) | Qt::TextSingleLine,
                      metrics.elidedText(text, Qt::ElideRight, textRect.width()));
  }

  if (view_->ExtendedStyle() & LVS_EX_GRIDLINES) {
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
  }
  if (view_->hasFocus() && view_->currentIndex().row() == row && (fullRow || column == 0)) {
    QStyleOptionFocusRect focus;
    focus.initFrom(view_);
    focus.rect = highlight;
    focus.backgroundColor = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
    view_->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view_);
  }
}

QSize CellPainter::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QFontMetrics metrics(option.font);
  const int text = metrics.horizontalAdvance(index.data().toString());
  const CellLayout layout =
      view_->LayoutOf(QRect(0, 0, 0, view_->RowHeight()), index.row(), index.column());
  return QSize(
      layout.label.left() + text + 2 * kMargin + (index.column() == 0 ? 0 : kSubItemPadding),
      view_->RowHeight());
}

QWidget* CellPainter::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                   const QModelIndex&) const {
  auto* editor = new QLineEdit(parent);
  view_->SetEditorWindow(
      user32::AttachWindow(editor, {"Edit", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL}));
  return editor;
}

void CellPainter::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
  editor->setGeometry(view_->LayoutOf(option.rect, index.row(), index.column()).label);
}

}  // namespace

ListViewWidget::ListViewWidget(QWidget* parent, DWORD style, DWORD exStyle)
    : QTreeView(parent), data_(new ListViewModel(this)) {
  setModel(data_);
  setItemDelegate(new CellPainter(this));
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setWordWrap(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFrameShape((exStyle & WS_EX_CLIENTEDGE) ? QFrame::StyledPanel : QFrame::NoFrame);
  setFrameShadow(QFrame::Sunken);
  QHeaderView* columns = header();
  columns->setStretchLastSection(false);
  columns->setMinimumSectionSize(0);
  columns->setSectionResizeMode(QHeaderView::Interactive);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  columns->setHighlightSections(false);
  columns->resizeSection(0, 0);  // no column yet: the model's stand-in column takes no room
  background_ = ColourRefOf(palette().color(QPalette::Base));
  textBackground_ = background_;
  text_ = ColourRefOf(palette().color(QPalette::Text));
  hoverSelect_.setSingleShot(true);
  connect(&hoverSelect_, &QTimer::timeout, this, [this] {
    if (data_->ValidRow(hot_))
      SetState(hot_, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  });
  ApplyStyle(style);
}

void ListViewWidget::ApplyStyle(DWORD style) {
  style_ = style;
  setHeaderHidden((style & LVS_TYPEMASK) != LVS_REPORT || (style & LVS_NOCOLUMNHEADER));
  header()->setSectionsClickable(!(style & LVS_NOSORTHEADER));
  setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                           : QAbstractItemView::ExtendedSelection);
  data_->editable = style & LVS_EDITLABELS;
  setEditTriggers((style & LVS_EDITLABELS)
                      ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                      : QAbstractItemView::NoEditTriggers);
  viewport()->update();
}

void ListViewWidget::SetExtendedStyle(DWORD extended) {
  extended_ = extended;
  header()->setSectionsMovable(extended & LVS_EX_HEADERDRAGDROP);
  const bool tracking = extended & (LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE);
  viewport()->setMouseTracking(tracking);
  if (!tracking) hot_ = -1;
  Relayout();
}

UINT ListViewWidget::StateOf(int row) const {
  UINT state = data_->rows()[static_cast<size_t>(row)].state & kStoredStateBits;
  const QModelIndex index = data_->index(row, 0);
  if (selectionModel()->isSelected(index)) state |= LVIS_SELECTED;
  if (currentIndex().isValid() && currentIndex().row() == row) state |= LVIS_FOCUSED;
  return state;
}

void ListViewWidget::SetState(int row, UINT state, UINT mask) {
  ListRow& item = data_->Row(row);
  const UINT stored = mask & kStoredStateBits;
  item.state = (item.state & ~stored) | (state & stored);
  const QModelIndex index = data_->index(row, 0);
  if (mask & LVIS_SELECTED) {
    // A single-selection control keeps one selected row: selecting another one moves it.
    const auto command = !(state & LVIS_SELECTED) ? QItemSelectionModel::Deselect
                         : SingleSelection()      ? QItemSelectionModel::ClearAndSelect
                                                  : QItemSelectionModel::Select;
    selectionModel()->select(index, command | QItemSelectionModel::Rows);
  }
  if (mask & LVIS_FOCUSED) {
    if (state & LVIS_FOCUSED)
      selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    else if (currentIndex().row() == row)
      selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }
  data_->RowChanged(row);
}

void ListViewWidget::KeepingSelection(const std::function<void()>& change) {
  std::vector<int> selected;
  for (int row = 0; row < data_->RowCount(); ++row)
    if (selectionModel()->rowIntersectsSelection(row, QModelIndex())) selected.push_back(row);
  const int current = currentIndex().isValid() ? currentIndex().row() : -1;
  change();
  QItemSelection selection;
  for (int row : selected)
    selection.select(data_->index(row, 0), data_->index(row, 0));
  selectionModel()->select(selection,
                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  if (current >= 0)
    selectionModel()->setCurrentIndex(data_->index(current, 0), QItemSelectionModel::NoUpdate);
}

void ListViewWidget::PressAt(QPoint point) {
  setFocus(Qt::MouseFocusReason);
  const QModelIndex index = indexAt(viewport()->mapFrom(this, point));
  if (!index.isValid()) {
    selectionModel()->clearSelection();
    return;
  }
  selectionModel()->setCurrentIndex(
      data_->index(index.row(), 0),
      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Enter activates the focused row as a double click on it does, as in Qt's own item views: the
// window's procedures see the double click at the row.
void ListViewWidget::keyPressEvent(QKeyEvent* event) {
  QTreeView::keyPressEvent(event);
  if ((event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) || event->isAutoRepeat())
    return;
  const QModelIndex current = currentIndex();
  if (!current.isValid() || state() == EditingState) return;
  const QPoint at = viewport()->mapTo(this, visualRect(current).center());
  user32::SendMessageA(user32::WindowOf(this), WM_LBUTTONDBLCLK, MK_LBUTTON,
                       user32::PointParam(at));
}

HIMAGELIST ListViewWidget::ImageList(int kind) const {
  return kind >= LVSIL_NORMAL && kind <= LVSIL_STATE ? images_[kind] : 0;
}

HIMAGELIST ListViewWidget::SetImageList(int kind, HIMAGELIST list) {
  if (kind < LVSIL_NORMAL || kind > LVSIL_STATE) return 0;
  const HIMAGELIST previous = std::exchange(images_[kind], list);
  if (kind == LVSIL_SMALL) {
    data_->headerImages = list;
    emit data_->headerDataChanged(Qt::Horizontal, 0, std::max(0, data_->ColumnCount() - 1));
  }
  Relayout();
  return previous;
}

void ListViewWidget::SetBackground(COLORREF colour) {
  background_ = colour;
  QPalette colours = palette();
  const QColor base = colour == CLR_NONE ? QColor(Qt::transparent) : ColourOf(colour);
  colours.setColor(QPalette::Base, base);
  setPalette(colours);
  viewport()->update();
}

void ListViewWidget::SetTextColours(COLORREF text, COLORREF background) {
  text_ = text;
  textBackground_ = background;
  viewport()->update();
}

int ListViewWidget::RowHeight() const {
  int height = fontMetrics().height() + 3;
  const QSize small = ImageListSize(images_[LVSIL_SMALL]);
  const QSize state = (extended_ & LVS_EX_CHECKBOXES) ? QSize(kCheckSize, kCheckSize)
                                                      : ImageListSize(images_[LVSIL_STATE]);
  return std::max({height, small.height() + 2, state.height() + 2});
}

int ListViewWidget::TopRow() const {
  if ((style_ & LVS_TYPEMASK) == LVS_ICON || (style_ & LVS_TYPEMASK) == LVS_SMALLICON) return 0;
  return data_->RowCount() == 0
             ? 0
             : std::clamp(verticalScrollBar()->value(), 0, data_->RowCount() - 1);
}

int ListViewWidget::RowsPerPage() const {
  if ((style_ & LVS_TYPEMASK) == LVS_ICON || (style_ & LVS_TYPEMASK) == LVS_SMALLICON)
    return data_->RowCount();
  return viewport()->height() / RowHeight();
}

int ListViewWidget::HotRow() const {
  return (extended_ & (LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE)) && data_->ValidRow(hot_)
             ? hot_
             : -1;
}

CellLayout ListViewWidget::LayoutOf(const QRect& cell, int row, int column) const {
  CellLayout layout;
  if (column != 0) {
    layout.label = cell.adjusted(kSubItemPadding - kMargin, 0, -(kSubItemPadding - kMargin), 0);
    return layout;
  }
  const QSize small = ImageListSize(images_[LVSIL_SMALL]);
  int x = cell.left() + kMargin;
  if (data_->ValidRow(row)) {
    const int indent = std::clamp(data_->rows()[static_cast<size_t>(row)].indent, 0, kMaxIndent);
    x += indent * (small.isValid() ? small.width() : kCheckSize);
  }
  auto place = [&](QSize size) {
    const QRect r(x, cell.top() + (cell.height() - size.height()) / 2, size.width(), size.height());
    x += size.width() + kMargin;
    return r;
  };
  if (extended_ & LVS_EX_CHECKBOXES)
    layout.state = place(QSize(kCheckSize, kCheckSize));
  else if (const QSize state = ImageListSize(images_[LVSIL_STATE]); state.isValid())
    layout.state = place(state);
  if (small.isValid()) layout.image = place(small);
  layout.label = QRect(x, cell.top(), std::max(0, cell.right() + 1 - x), cell.height());
  return layout;
}

bool ListViewWidget::ShowsSelected(int row) const {
  return (hasFocus() || (style_ & LVS_SHOWSELALWAYS)) &&
         selectionModel()->isSelected(data_->index(row, 0));
}

HWND ListViewWidget::EditLabel(int row) {
  if (!(style_ & LVS_EDITLABELS) || !data_->ValidRow(row)) return 0;
  CancelEdit();
  editor_ = 0;
  setFocus(Qt::OtherFocusReason);
  edit(data_->index(row, 0));
  return EditControl();
}

void ListViewWidget::CancelEdit() {
  if (QWidget* editor = user32::WidgetOf(EditControl()))
    closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

HWND ListViewWidget::EditControl() const {
  return user32::IsWindow(editor_) ? editor_ : 0;
}

void ListViewWidget::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem cell(option);
  const QHeaderView* columns = header();
  for (int visual = 0; visual < columns->count(); ++visual) {
    const int logical = columns->logicalIndex(visual);
    if (columns->isSectionHidden(logical)) continue;
    cell.rect = QRect(columns->sectionViewportPosition(logical), option.rect.top(),
                      columns->sectionSize(logical), option.rect.height());
    itemDelegate()->paint(painter, cell, data_->index(index.row(), logical));
  }
}

void ListViewWidget::paintEvent(QPaintEvent* event) {
  if (!backgroundImage_.image.isNull()) {
    QPainter painter(viewport());
    const QImage& image = backgroundImage_.image;
    if (backgroundImage_.flags & LVBKIF_STYLE_TILE) {
      painter.drawTiledPixmap(viewport()->rect(), QPixmap::fromImage(image));
    } else {
      const int x = (viewport()->width() - image.width()) *
                    std::clamp(backgroundImage_.xPercent, 0, 100) / 100;
      const int y = (viewport()->height() - image.height()) *
                    std::clamp(backgroundImage_.yPercent, 0, 100) / 100;
      painter.drawImage(x, y, image);
    }
  }
  QTreeView::paintEvent(event);
}

void ListViewWidget::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid()) {
    selectionModel()->clearSelection();  // a press beside the rows selects nothing
  } else if ((extended_ & LVS_EX_CHECKBOXES) && event->button() == Qt::LeftButton &&
             LayoutOf(visualRect(data_->index(index.row(), 0)), index.row(), 0)
                 .state.contains(event->position().toPoint())) {
    const UINT checked = (StateOf(index.row()) & LVIS_STATEIMAGEMASK) == (2u << 12);
    SetState(index.row(), (checked ? 1u : 2u) << 12, LVIS_STATEIMAGEMASK);
  }
  QTreeView::mousePressEvent(event);
}

bool ListViewWidget::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::MouseMove && viewport()->hasMouseTracking()) {
    const int row = indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).row();
    if (row != hot_) {
      hot_ = row;
      if ((extended_ & LVS_EX_TRACKSELECT) && row >= 0) hoverSelect_.start(kHoverSelectMs);
      viewport()->update();
    }
  } else if (event->type() == QEvent::Leave) {
    hot_ = -1;
    hoverSelect_.stop();
    viewport()->update();
  }
  return QTreeView::viewportEvent(event);
}

void ListViewWidget::Relayout() {
  doItemsLayout();
  viewport()->update();
}

}  // namespace platform::comctl32
