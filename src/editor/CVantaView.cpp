#include "editor/CVantaView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QUndoStack>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>
#include <map>
#include <memory>

#include "dialogs/ScreenDialogs.h"
#include "editor/ComponentClipboard.h"
#include "editor/EditCommand.h"
#include "editor/ScreenPage.h"
#include "model/CMainView.h"
#include "model/CUpLoadPic.h"
#include "model/ComponentFactory.h"
#include "model/DrawHelpers.h"
#include "pages/PropertyPage.h"
#include "project/ComponentTransfer.h"
#include "project/ProjectDocument.h"
#include "project/ProjectEdit.h"
#include "protocols/ProtocolNames.h"
#include "qtsupport/CoreText.h"
#include "qtsupport/QtCanvas.h"
#include "qtsupport/QtText.h"
#include "widgets/CNumEdit.h"

namespace vanta {

// The simulated display: shows the view's picture of the current screen at the view's zoom and
// hands the mouse and the keys to the view, the mouse in the model's view coordinates (units of
// the 2.25 grid, whatever the zoom). While a button is held it keeps the mouse, so a drag goes
// on outside it. Ctrl with the wheel zooms.
class DisplayWidget : public QWidget {
  public:
    explicit DisplayWidget(CVantaView* view, QWidget* parent) : QWidget(parent), view_(view) {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
        setObjectName(QStringLiteral("display"));
        setAccessibleName(CVantaView::tr("面板显示"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        view_->paintDisplay(painter, size());
    }
    void mousePressEvent(QMouseEvent* event) override {
        view_->displayPressed(event, toView(event));
    }
    void mouseMoveEvent(QMouseEvent* event) override { view_->displayMoved(toView(event)); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        view_->displayReleased(event, toView(event));
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        view_->displayContextMenu(toView(event->pos()), event->globalPos());
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        // A second click is one more press.
        view_->displayPressed(event, toView(event));
    }
    void wheelEvent(QWheelEvent* event) override {
        if (!(event->modifiers() & Qt::ControlModifier)) {
            event->ignore();
            return;
        }
        const int steps = event->angleDelta().y() / 120;
        if (steps != 0)
            view_->zoomBy(steps);
        event->accept();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!view_->displayKey(event))
            QWidget::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        QWidget::focusInEvent(event);
        parentWidget()->update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QWidget::focusOutEvent(event);
        parentWidget()->update();
    }

  private:
    QPoint toView(QMouseEvent* event) const { return toView(event->position()); }
    QPoint toView(QPointF position) const {
        const QPointF units = position * (kZoom / view_->zoom());
        return QPoint(static_cast<int>(std::floor(units.x())),
                      static_cast<int>(std::floor(units.y()))) +
               CVantaView::kDisplayRect.topLeft();
    }
    CVantaView* view_;
};

// Holds the display with a small margin, where the keyboard focus shows as a frame.
class DisplayHolder : public QWidget {
  public:
    static constexpr int kMargin = 3;
    explicit DisplayHolder(QWidget* parent) : QWidget(parent) {}
    void setDisplay(QWidget* display) { display_ = display; }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (!display_ || !display_->hasFocus())
            return;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(display_->geometry().adjusted(-2, -2, 1, 1));
    }

  private:
    QWidget* display_ = nullptr;
};

namespace {

// Shift with an arrow nudges this many panel pixels; a paste lands this far from the original.
constexpr int kNudgeLongStep = 8;
constexpr int32_t kPasteOffset = 8;

// Keys typed into these are text editing, not editor commands.
bool isTextEntry(const QObject* object) {
    if (qobject_cast<const QLineEdit*>(object) || qobject_cast<const QTextEdit*>(object) ||
        qobject_cast<const QPlainTextEdit*>(object) ||
        qobject_cast<const QAbstractSpinBox*>(object))
        return true;
    if (const auto* combo = qobject_cast<const QComboBox*>(object))
        return combo->isEditable();
    return false;
}

}  // namespace

CVantaView::CVantaView(ProjectDocument& document, Prompter& prompter, QWidget* parent)
    : QWidget(parent), document_(document), prompter_(prompter) {
    // The client area of the main window at its first size.
    resize(750, 470);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);

    // The screen list at the left, over the whole height; its description column takes what
    // the window gives it.
    list_ = new QTableWidget(0, 2, this);
    list_->setObjectName(QStringLiteral("screenList"));
    list_->setHorizontalHeaderLabels({tr("Window"), tr("Description")});
    list_->setColumnWidth(0, 60);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->horizontalHeader()->setSectionsClickable(false);
    list_->verticalHeader()->hide();
    list_->setShowGrid(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setContextMenuPolicy(Qt::NoContextMenu);
    list_->setWordWrap(false);
    // Tab leaves the list for the display; the arrows move between the screens.
    list_->setTabKeyNavigation(false);
    list_->setMinimumWidth(120);
    list_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    layout->addWidget(list_, 2);
    connect(list_, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { screenListClicked(index.row()); });
    connect(list_, &QTableWidget::itemSelectionChanged, this,
            &CVantaView::screenListSelectionChanged);

    listMenu_ = new QMenu(this);
    listMenu_->addAction(tr("删除画面(&D)"), this, &CVantaView::deleteScreen);
    listMenu_->addAction(tr("复制画面(&C)"), this, &CVantaView::copyScreen);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    layout->addLayout(right, 5);

    // The simulated display, centred in its frame, scrolled when zoomed beyond the frame.
    displayFrame_ = new QGroupBox(this);
    right->addWidget(displayFrame_);
    auto* frameLayout = new QVBoxLayout(displayFrame_);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    displayScroll_ = new QScrollArea(displayFrame_);
    displayScroll_->setFrameShape(QFrame::NoFrame);
    displayScroll_->setAlignment(Qt::AlignCenter);
    displayScroll_->setFocusPolicy(Qt::NoFocus);
    frameLayout->addWidget(displayScroll_);
    auto* holder = new DisplayHolder(displayScroll_);
    displayHolder_ = holder;
    display_ = new DisplayWidget(this, holder);
    holder->setDisplay(display_);
    displayScroll_->setWidget(holder);
    displayScroll_->setWidgetResizable(false);
    displayScroll_->installEventFilter(this);

    // The property-page area: the page of the selection (or of the screen), scrolled when the
    // window is too small for it.
    pageScroll_ = new QScrollArea(this);
    pageScroll_->setObjectName(QStringLiteral("pageArea"));
    pageScroll_->setFrameShape(QFrame::NoFrame);
    pageScroll_->setWidgetResizable(true);
    pageScroll_->setFocusPolicy(Qt::NoFocus);
    right->addWidget(pageScroll_, 1);
    pageHost_ = new QWidget;
    auto* pages = new QVBoxLayout(pageHost_);
    pages->setContentsMargins(0, 0, 0, 0);
    pageScroll_->setWidget(pageHost_);

    screenPage_ = new ScreenPage(pageHost_);
    pages->addWidget(screenPage_);
    screenPage_->hide();
    connect(screenPage_, &ScreenPage::descriptionEdited, this, &CVantaView::descriptionEdited);
    connect(screenPage_, &ScreenPage::screenChanged, this, [this] {
        if (!fillingPage_)
            screenPageChanged();
    });
    connect(screenPage_, &ScreenPage::descriptionRefused, this, [this](const QString& message) {
        prompter_.inform(message.toStdString(), {}, Severity::Warning);
    });

    // The component pages, hidden until a component of their kind is shown; kinds that share a
    // page share one widget.
    std::map<PageMaker, PropertyPage*> made;
    for (const KindPage& entry : kindPages()) {
        PropertyPage*& page = made[entry.make];
        const bool shared = page != nullptr;
        if (!shared)
            page = createPropertyPage(entry.kind, pageHost_);
        pageOfKind_[entry.kind] = page;
        if (shared || page == nullptr)
            continue;
        pages_.push_back(page);
        pages->addWidget(page);
        page->hide();
        connect(page, &PropertyPage::componentChanged, this, [this] {
            if (fillingPage_)
                return;
            refreshDisplay();
            componentPageChanged();
        });
    }
    applyZoom();

    background_ = makeBackground();
    canvas_ = QPixmap(kDisplayWidth, kDisplayHeight);
    dragCursor_ = makeDragCursor();

    ModelContext& context = project().context();
    context.pages = this;
    if (!context.warn)
        context.warn = [this](const std::string& message) {
            prompter_.inform(message, {}, Severity::Warning);
        };

    // The history: the document is modified exactly while the history is away from the state
    // last saved (or opened).
    undo_ = new QUndoStack(this);
    connect(undo_, &QUndoStack::indexChanged, this, &CVantaView::historyMoved);
    connect(undo_, &QUndoStack::cleanChanged, this, &CVantaView::historyMoved);
    document_.onSaved = [this] { undo_->setClean(); };
    // A field's changes merge while it keeps the focus.
    connect(qApp, &QApplication::focusChanged, this, [this] { endRun(); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        pasteCount_ = 0;
        emit commandStateChanged();
    });

    qApp->installEventFilter(this);
    projectReplaced();
}

CVantaView::~CVantaView() {
    document_.onSaved = nullptr;
    qApp->removeEventFilter(this);
    ModelContext& context = project().context();
    if (context.pages == this)
        context.pages = nullptr;
}

Project& CVantaView::project() const {
    return document_.project();
}

CMainView* CVantaView::currentScreen() const {
    return project().screens.current();
}

bool CVantaView::hasSelection() const {
    return !selected_.empty() && currentScreen() != nullptr;
}

QRect CVantaView::placementOutline() const {
    return QRect(outline_.left, outline_.top, outline_.width(), outline_.height());
}

// --- project and screen list ---

void CVantaView::projectReplaced() {
    project().context().pages = this;
    pending_ = 0;
    picture_.reset();
    selected_.clear();
    dragging_ = false;
    banding_ = false;
    setDragCursor(false);
    hidePages();
    // A project opened, created or imported starts a history of its own.
    undo_->clear();
    undo_->setClean();
    fillScreenList();
    if (currentScreen() != nullptr)
        showCurrentScreenPage();
    refreshDisplay();
    emit selectionChanged();
    emit commandStateChanged();
}

void CVantaView::settingsReplaced() {
    project().context().pages = this;
    const std::vector<size_t> selected = selectionIndexes();
    hidePages();
    fillScreenList();
    selectIndexes(selected);
    refreshDisplay();
    emit commandStateChanged();
}

void CVantaView::fillScreenList() {
    updatingList_ = true;
    const ScreenList& screens = project().screens;
    list_->clearContents();
    list_->setRowCount(static_cast<int>(screens.size()));
    for (size_t i = 0; i < screens.size(); ++i)
        setRowText(static_cast<int>(i));
    selectCurrentRow();
    updatingList_ = false;
}

void CVantaView::setRowText(int row) {
    const ScreenList& screens = project().screens;
    if (row < 0 || static_cast<size_t>(row) >= screens.size() || row >= list_->rowCount())
        return;
    const CMainView& screen = screens.at(static_cast<size_t>(row));
    auto* number = new QTableWidgetItem(QStringLiteral(" %1").arg(screen.m_number));
    auto* description = new QTableWidgetItem(toQString(screen.m_description));
    list_->setItem(row, 0, number);
    list_->setItem(row, 1, description);
}

void CVantaView::selectCurrentRow() {
    const ScreenList& screens = project().screens;
    if (screens.empty())
        return;
    const bool wasUpdating = updatingList_;
    updatingList_ = true;
    const int row = static_cast<int>(screens.currentPosition());
    list_->selectRow(row);
    list_->setCurrentCell(row, 0, QItemSelectionModel::SelectCurrent | QItemSelectionModel::Rows);
    list_->scrollToItem(list_->item(row, 0));
    updatingList_ = wasUpdating;
}

void CVantaView::screenListClicked(int row) {
    if (row < 0 || static_cast<size_t>(row) >= project().screens.size()) {
        selectCurrentRow();
        return;
    }
    activateScreen(static_cast<size_t>(row));
}

void CVantaView::screenListSelectionChanged() {
    if (updatingList_ || project().screens.empty())
        return;
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        // A click that selects no row keeps the current screen's row selected.
        selectCurrentRow();
        return;
    }
    const int row = rows.first().row();
    if (row >= 0 && static_cast<size_t>(row) != project().screens.currentPosition())
        activateScreen(static_cast<size_t>(row));
}

void CVantaView::activateScreen(size_t position) {
    ScreenList& screens = project().screens;
    if (position >= screens.size())
        return;
    screens.setCurrentPosition(position);
    selectCurrentRow();
    selected_.clear();
    dragging_ = false;
    banding_ = false;
    endRun();
    showCurrentScreenPage();
    emit selectionChanged();
    list_->setFocus();
    refreshDisplay();
    emit commandStateChanged();
}

void CVantaView::showCurrentScreenPage() {
    if (CMainView* screen = currentScreen()) {
        screen->showScreenPage();
        screen->fillScreenPage();
    }
}

void CVantaView::descriptionEdited(const QString& text) {
    const ScreenList& screens = project().screens;
    if (screenPage_->screen() != currentScreen() || screens.empty())
        return;
    const int row = static_cast<int>(screens.currentPosition());
    if (QTableWidgetItem* item = list_->item(row, 1))
        item->setText(text);
}

QWidget* CVantaView::displayWidget() const {
    return display_;
}

QWidget* CVantaView::shownPage() const {
    if (!screenPage_->isHidden())
        return screenPage_;
    for (PropertyPage* page : pages_)
        if (page && !page->isHidden())
            return page;
    return nullptr;
}

// --- PageHost ---

PropertyPage* CVantaView::pageOf(uint8_t kind) const {
    const auto it = pageOfKind_.find(kind);
    return it == pageOfKind_.end() ? nullptr : it->second;
}

void CVantaView::showPage(uint8_t kind) {
    showOnly(pageOf(kind));
}

void CVantaView::showScreenPage() {
    showOnly(screenPage_);
}

void CVantaView::showOnly(QWidget* shown) {
    if (shown != nullptr && !shown->isHidden())
        return;
    if (shown != screenPage_)
        screenPage_->hide();
    for (PropertyPage* page : pages_)
        if (page != shown)
            page->hide();
    if (shown == nullptr)
        return;  // no page for this kind: the area stays empty
    shown->show();
}

void CVantaView::fillPage(CBase& component) {
    PropertyPage* page = pageOf(component.m_kind);
    if (page == nullptr)
        return;
    // The record before the page binds: what the page's first step starts from (binding may
    // bring a value into its range, which then belongs to that step).
    pageComponent_ = &component;
    pageRecord_ = componentRecord(component);
    Archive stored;
    component.Serialize(stored);
    fillingPage_ = true;
    page->fill(component, project());
    fillingPage_ = false;
    // Showing a component never changes it: a stored value that a control's binding brought into
    // the control's range stays as stored until the user edits that field.
    Archive shown;
    component.Serialize(shown);
    if (shown.data() != stored.data()) {
        Archive back(stored.data());
        component.Serialize(back);
    }
}

void CVantaView::setPageCoordinates(uint8_t kind, int32_t x, int32_t y) {
    PropertyPage* page = pageOf(kind);
    if (page == nullptr)
        return;
    const bool wasFilling = fillingPage_;
    fillingPage_ = true;
    page->setCoordinates(x, y);
    fillingPage_ = wasFilling;
}

void CVantaView::setScreenCaption(const std::string& caption) {
    screenPage_->setCaption(QString::fromStdString(caption));
}

void CVantaView::fillScreenPage(CMainView& screen) {
    pageScreen_ = &screen;
    screenFieldsRecord_ = screenFieldsRecord(screen);
    fillingPage_ = true;
    screenPage_->fill(screen);
    fillingPage_ = false;
}

// --- the display ---

void CVantaView::refreshDisplay() {
    display_->update();
}

void CVantaView::updateDisplayArea(const QRect& viewRect) {
    // Units to widget pixels, grown by one pixel for the rounding.
    const double scale = zoom_ / kZoom;
    const QRectF area = QRectF(viewRect.translated(-kDisplayRect.topLeft()));
    display_->update(
        QRectF(area.topLeft() * scale, area.size() * scale).toAlignedRect().adjusted(-1, -1, 1, 1));
}

void CVantaView::drawScreen(QPainter& painter) {
    if (CMainView* screen = currentScreen()) {
        QtCanvas canvas(painter);
        screen->draw(canvas, false);
        if (pending_ != 0)
            DrawDottedFrame(canvas, outline_.left, outline_.top, outline_.right, outline_.bottom);
        else
            drawSelectionFrames(canvas);
        if (banding_)
            DrawDottedFrame(canvas, band_.left, band_.top, band_.right, band_.bottom);
    }
}

void CVantaView::drawSelectionFrames(Canvas& canvas) const {
    // The frame of each selected component: its rectangle with right and bottom reduced by one.
    for (const CBase* component : selected_) {
        const Rect& r = component->m_rect;
        DrawDottedFrame(canvas, r.left, r.top, r.right - 1, r.bottom - 1);
    }
}

const QPixmap& CVantaView::renderDisplay() {
    QPainter painter(&canvas_);
    painter.drawPixmap(0, 0, background_);
    drawScreen(painter);
    return canvas_;
}

void CVantaView::paintDisplay(QPainter& painter, QSize size) {
    const qreal ratio = display_->devicePixelRatioF();
    if (zoom_ == kDefaultZoom && ratio == 1.0) {
        painter.drawPixmap(0, 0, renderDisplay());
        return;
    }
    // Drawn straight at the device's resolution: every panel pixel a sharp block.
    const QSize pixels(qRound(size.width() * ratio), qRound(size.height() * ratio));
    if (zoomed_.size() != pixels)
        zoomed_ = QPixmap(pixels);
    zoomed_.setDevicePixelRatio(1.0);
    {
        QPainter p(&zoomed_);
        const double sx = pixels.width() / static_cast<double>(kDisplayWidth);
        const double sy = pixels.height() / static_cast<double>(kDisplayHeight);
        paintBackground(p, sx, sy);
        p.scale(sx, sy);
        drawScreen(p);
    }
    zoomed_.setDevicePixelRatio(ratio);
    painter.drawPixmap(0, 0, zoomed_);
}

// --- zoom ---

namespace {
// The zoom steps of Ctrl+wheel and Ctrl++ / Ctrl+-.
constexpr double kZoomSteps[] = {1.0, 1.5, 2.0, 2.25, 2.5, 3.0, 3.5, 4.0};
}  // namespace

void CVantaView::setZoom(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    applyZoom();
    emit zoomChanged(zoom_);
}

void CVantaView::zoomBy(int steps) {
    double next = zoom_;
    if (steps > 0) {
        for (double step : kZoomSteps)
            if (step > zoom_ + 1e-9) {
                next = step;
                if (--steps == 0)
                    break;
            }
    } else if (steps < 0) {
        for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
            if (*it < zoom_ - 1e-9) {
                next = *it;
                if (++steps == 0)
                    break;
            }
    }
    setZoom(next);
}

QSize CVantaView::displaySize() const {
    return QSize(static_cast<int>(std::lround(kPanelWidth * zoom_)),
                 static_cast<int>(std::lround(kPanelHeight * zoom_)));
}

void CVantaView::applyZoom() {
    const QSize size = displaySize();
    const int m = DisplayHolder::kMargin;
    display_->setFixedSize(size);
    display_->move(m, m);
    displayHolder_->setFixedSize(size + QSize(2 * m, 2 * m));
    fitDisplayFrame();
    display_->update();
}

void CVantaView::fitDisplayFrame() {
    // The display's whole height (and the scroll bar's when the display is wider than the
    // frame); the page area takes the rest and scrolls when that is too little.
    const bool wide = displayHolder_->width() > displayScroll_->width();
    const int bar = wide ? displayScroll_->horizontalScrollBar()->sizeHint().height() : 0;
    const int height = displayHolder_->height() + bar;
    if (displayScroll_->minimumHeight() != height || displayScroll_->maximumHeight() != height) {
        displayScroll_->setFixedHeight(height);
        displayScroll_->updateGeometry();
    }
}

void CVantaView::paintBackground(QPainter& painter, double sx, double sy) {
    // An empty panel display: the dark glass, with faint dots at the corners of the text cells.
    const QRect all(0, 0, static_cast<int>(std::lround(kDisplayWidth * sx)),
                    static_cast<int>(std::lround(kDisplayHeight * sy)));
    painter.fillRect(all, QColor(kDisplayDark.r, kDisplayDark.g, kDisplayDark.b));
    const QColor dot(84, 84, 84);
    const int size = std::max(1, static_cast<int>(sx));
    for (int y = kScreenCellHeight; y < kDisplayHeight; y += kScreenCellHeight)
        for (int x = kScreenCellWidth; x < kDisplayWidth; x += kScreenCellWidth)
            painter.fillRect(static_cast<int>(std::lround(x * sx)),
                             static_cast<int>(std::lround(y * sy)), size, size, dot);
}

QPixmap CVantaView::makeBackground() {
    QPixmap background(kDisplayWidth, kDisplayHeight);
    QPainter painter(&background);
    paintBackground(painter, 1.0, 1.0);
    return background;
}

QCursor CVantaView::makeDragCursor() {
    // A four-way arrow, black with a white rim.
    QPixmap image(32, 32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath path;
    const int c = 16;
    const QPointF arrow[] = {
        {c, 2.0},        {c + 5.0, 7.0},     {c + 2.0, 7.0},  {c + 2.0, c - 2.0},
        {25.0, c - 2.0}, {25.0, c - 5.0},    {30.0, c},       {25.0, c + 5.0},
        {25.0, c + 2.0}, {c + 2.0, c + 2.0}, {c + 2.0, 25.0}, {c + 5.0, 25.0},
        {c, 30.0},       {c - 5.0, 25.0},    {c - 2.0, 25.0}, {c - 2.0, c + 2.0},
        {7.0, c + 2.0},  {7.0, c + 5.0},     {2.0, c},        {7.0, c - 5.0},
        {7.0, c - 2.0},  {c - 2.0, c - 2.0}, {c - 2.0, 7.0},  {c - 5.0, 7.0}};
    path.addPolygon(QPolygonF(QList<QPointF>(std::begin(arrow), std::end(arrow))));
    path.closeSubpath();
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::black);
    painter.drawPath(path);
    painter.end();
    return QCursor(image, c, c);
}

void CVantaView::setDragCursor(bool on) {
    if (on == dragCursorShown_)
        return;
    dragCursorShown_ = on;
    if (on)
        display_->setCursor(dragCursor_);
    else
        display_->unsetCursor();
}

void CVantaView::displayPressed(QMouseEvent* event, QPoint at) {
    if (event->button() != Qt::LeftButton)
        return;  // the right button is handled by the event filter and the context menu
    // The display takes the keyboard: arrows move, Enter places, Delete deletes.
    display_->setFocus(Qt::MouseFocusReason);
    CMainView* screen = currentScreen();
    if (screen == nullptr)
        return;
    endRun();  // a click ends a run of nudges
    anchor_ = {at.x(), at.y()};
    dragMoved_ = false;
    if (pending_ != 0) {
        dragging_ = placePending();
        if (dragging_)
            dragBefore_ = selectionRecords();
        emit commandStateChanged();
        return;
    }
    const Point onDisplay{at.x() - kDisplayRect.left(), at.y() - kDisplayRect.top()};
    const std::vector<CBase*> hits = componentsAt(onDisplay);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    auto isSelected = [this](const CBase* c) {
        return std::find(selected_.begin(), selected_.end(), c) != selected_.end();
    };
    if ((modifiers & (Qt::ControlModifier | Qt::ShiftModifier)) && !(modifiers & Qt::AltModifier)) {
        if (hits.empty()) {
            // A band that adds what it touches to the selection.
            banding_ = true;
            bandAdds_ = true;
            bandBase_ = selected_;
            bandStart_ = onDisplay;
            band_ = {onDisplay.x, onDisplay.y, onDisplay.x, onDisplay.y};
            return;
        }
        std::vector<CBase*> selection = selected_;
        if (isSelected(hits.front()))
            selection.erase(std::find(selection.begin(), selection.end(), hits.front()));
        else
            selection.push_back(hits.front());
        setSelection(std::move(selection));
        return;
    }
    if (hits.empty()) {
        setSelection({});
        banding_ = true;
        bandAdds_ = false;
        bandBase_.clear();
        bandStart_ = onDisplay;
        band_ = {onDisplay.x, onDisplay.y, onDisplay.x, onDisplay.y};
        return;
    }
    CBase* chosen = hits.front();
    if (modifiers & Qt::AltModifier) {
        // The component below the selected one under the mouse, from the top again after the
        // lowest: every component under the mouse can be reached, however covered.
        size_t next = hits.size() > 1 ? 1 : 0;
        for (size_t i = 0; i < hits.size(); ++i) {
            if (isSelected(hits[i])) {
                next = (i + 1) % hits.size();
                break;
            }
        }
        chosen = hits[next];
        setSelection({chosen});
    } else if (!isSelected(chosen)) {
        setSelection({chosen});
    }
    // The selection may be dragged from here.
    dragging_ = true;
    dragBefore_ = selectionRecords();
    emit commandStateChanged();
}

bool CVantaView::placePending() {
    CMainView* screen = currentScreen();
    if (screen == nullptr || pending_ == 0)
        return false;
    const uint8_t kind = pending_;
    const std::vector<size_t> before = selectionIndexes();
    std::unique_ptr<CBase> made;
    if (kind == kKindPicture) {
        if (picture_)
            made = std::make_unique<CUpLoadPic>(project().context(), outline_.left, outline_.top,
                                                std::move(*picture_));
    } else {
        made = createComponent(kind, project().context(), outline_.left, outline_.top);
    }
    picture_.reset();
    pending_ = 0;
    if (!made) {
        refreshDisplay();
        return false;
    }
    // The new component goes on top and is placed there: it shows its page.
    EditRecorder recorder(project());
    CBase* placed =
        recorder.insertComponent(project().screens.currentPosition(), 0, std::move(made));
    selected_ = {placed};
    placed->PlaceAt(outline_.left, outline_.top);
    pushEdit(recorder.finish(), tr("放置%1").arg(kindName(kind)), before, {0});
    refreshDisplay();
    emit selectionChanged();
    // A new text is typed at once.
    if (kind == kKindChars)
        if (PropertyPage* page = pageOf(kind))
            page->focusTextField();
    return true;
}

void CVantaView::moveOutlineTo(Rect moved) {
    const int32_t width = outline_.width(), height = outline_.height();
    moved.right = moved.left + width;
    moved.bottom = moved.top + height;
    // The outline stays inside the display, its frame on the last column and row.
    if (moved.right >= kDisplayWidth) {
        moved.right = kDisplayWidth - 1;
        moved.left = moved.right - width;
    }
    if (moved.bottom >= kDisplayHeight) {
        moved.bottom = kDisplayHeight - 1;
        moved.top = moved.bottom - height;
    }
    if (!(moved == outline_)) {
        outline_ = moved;
        refreshDisplay();
    }
}

bool CVantaView::displayKey(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    int dx = 0, dy = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            dx = -1;
            break;
        case Qt::Key_Right:
            dx = 1;
            break;
        case Qt::Key_Up:
            dy = -1;
            break;
        case Qt::Key_Down:
            dy = 1;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (pending_ == 0)
                return false;
            placePending();
            emit commandStateChanged();
            return true;
        default:
            return false;
    }
    if (pending_ != 0) {
        // The outline moves by one step of the grid (4 panel pixels) and stays on the display.
        Rect moved = outline_;
        moved.left = std::max(0, outline_.left + dx * kDragScreenStep);
        moved.top = std::max(0, outline_.top + dy * kDragScreenStep);
        moveOutlineTo(moved);
        return true;
    }
    if (!hasSelection())
        return false;
    const int step = (event->modifiers() & Qt::ShiftModifier) ? kNudgeLongStep : 1;
    nudge(dx * step, dy * step);
    return true;
}

void CVantaView::nudge(int dx, int dy) {
    std::vector<std::pair<size_t, Bytes>> before = selectionRecords();
    if (!moveSelectionBy(dx, dy))
        return;
    // The presses of one run are one step: same screen, same components, same run.
    QString key =
        QStringLiteral("nudge:%1:%2:").arg(project().screens.currentPosition()).arg(editRun_);
    for (const auto& entry : before)
        key += QString::number(entry.first) + QLatin1Char(',');
    pushMove(before, key);
}

bool CVantaView::moveSelectionBy(int32_t dx, int32_t dy) {
    if (selected_.empty())
        return false;
    // The whole selection moves as far as its every component stays on the display.
    int32_t lowX = INT32_MIN, highX = INT32_MAX, lowY = INT32_MIN, highY = INT32_MAX;
    for (const CBase* c : selected_) {
        lowX = std::max(lowX, -c->m_x);
        highX = std::min(highX, c->pageXMaximum() - c->m_x);
        lowY = std::max(lowY, -c->m_y);
        highY = std::min(highY, c->pageYMaximum() - c->m_y);
    }
    dx = lowX > highX ? 0 : std::clamp(dx, lowX, highX);
    dy = lowY > highY ? 0 : std::clamp(dy, lowY, highY);
    if (dx == 0 && dy == 0)
        return false;
    Rect changed = selected_.front()->m_rect;
    for (CBase* c : selected_) {
        changed = changed.united(c->m_rect);
        c->m_x += dx;
        c->m_y += dy;
        c->applyPagePosition();
        if (!c->IsInsideDisplay())
            c->ClampToDisplay();
        changed = changed.united(c->m_rect);
    }
    if (selected_.size() == 1)
        selected_.front()->UpdatePageCoordinates();
    updateDisplayArea(QRect(changed.left + kDisplayRect.left() - 1,
                            changed.top + kDisplayRect.top() - 1, changed.width() + 2,
                            changed.height() + 2));
    return true;
}

void CVantaView::displayMoved(QPoint at) {
    CMainView* screen = currentScreen();
    if (screen == nullptr)
        return;
    if (banding_) {
        updateRubberBand(at);
        return;
    }
    if (dragging_ && !selected_.empty()) {
        bool moved = false;
        if (selected_.size() == 1) {
            // One component moves by the drag rule of the component itself.
            CBase* selected = selected_.front();
            const int32_t x = selected->m_x, y = selected->m_y;
            const Rect changed = selected->DragTo({at.x(), at.y()}, anchor_);
            updateDisplayArea(QRect(changed.left, changed.top, changed.width(), changed.height()));
            moved = selected->m_x != x || selected->m_y != y;
        } else {
            // Several move together in the same steps of 4 panel pixels.
            const int32_t dx = at.x() - anchor_.x, dy = at.y() - anchor_.y;
            if (std::abs(dx) >= kDragScreenStep || std::abs(dy) >= kDragScreenStep) {
                const int32_t qx = dx / kDragScreenStep, qy = dy / kDragScreenStep;
                anchor_.x += kDragScreenStep * qx;
                anchor_.y += kDragScreenStep * qy;
                moved = moveSelectionBy(kDragPanelStep * qx, kDragPanelStep * qy);
            }
        }
        dragMoved_ = dragMoved_ || moved;
        setDragCursor(true);
        return;
    }
    if (pending_ != 0 && kDisplayRect.contains(at)) {
        Rect moved;
        moved.left = (at.x() - kDisplayRect.left()) / kDragScreenStep * kDragScreenStep;
        moved.top = (at.y() - kDisplayRect.top()) / kDragScreenStep * kDragScreenStep;
        moveOutlineTo(moved);
    }
}

void CVantaView::updateRubberBand(QPoint at) {
    const Point to{std::clamp(at.x() - kDisplayRect.left(), 0, kDisplayWidth),
                   std::clamp(at.y() - kDisplayRect.top(), 0, kDisplayHeight)};
    band_ = {std::min(bandStart_.x, to.x), std::min(bandStart_.y, to.y),
             std::max(bandStart_.x, to.x), std::max(bandStart_.y, to.y)};
    // What the band touches is selected while it is drawn.
    std::vector<CBase*> selection = bandAdds_ ? bandBase_ : std::vector<CBase*>{};
    if (band_.width() > 0 || band_.height() > 0) {
        for (const auto& component : currentScreen()->components()) {
            const Rect& r = component->m_rect;
            const bool touches = r.left <= band_.right && band_.left < r.right &&
                                 r.top <= band_.bottom && band_.top < r.bottom;
            if (touches &&
                std::find(selection.begin(), selection.end(), component.get()) == selection.end())
                selection.push_back(component.get());
        }
    }
    selected_ = std::move(selection);
    refreshDisplay();
}

void CVantaView::displayReleased(QMouseEvent* event, QPoint at) {
    if (event->button() != Qt::LeftButton)
        return;
    if (banding_) {
        updateRubberBand(at);
        banding_ = false;
        setSelection(selected_);
    }
    if (dragging_ && dragMoved_)
        pushMove(dragBefore_, {});
    dragging_ = false;
    dragMoved_ = false;
    dragBefore_.clear();
    setDragCursor(false);
}

std::vector<std::pair<size_t, Bytes>> CVantaView::selectionRecords() const {
    std::vector<std::pair<size_t, Bytes>> records;
    for (size_t index : selectionIndexes())
        records.emplace_back(index, componentRecord(*currentScreen()->components()[index]));
    return records;
}

void CVantaView::pushMove(const std::vector<std::pair<size_t, Bytes>>& before,
                          const QString& mergeKey) {
    if (before.empty())
        return;
    EditRecorder recorder(project());
    const size_t screen = project().screens.currentPosition();
    std::vector<const CBase*> moved;
    std::vector<size_t> indexes;
    for (const auto& [index, record] : before) {
        recorder.componentBefore(screen, index, record);
        moved.push_back(currentScreen()->components()[index].get());
        indexes.push_back(index);
    }
    pushEdit(recorder.finish(), tr("移动%1").arg(componentsName(moved)), indexes, indexes,
             mergeKey);
}

// --- placement ---

void CVantaView::armPlacement(uint8_t kind, int32_t width, int32_t height) {
    pending_ = kind;
    outline_ = {0, 0, width, height};
    dragging_ = false;
    banding_ = false;
    setSelection({});
    // Armed from the menu, a key or a button, the display takes the keyboard: the arrows move
    // the outline and Enter places at once.
    display_->setFocus(Qt::OtherFocusReason);
}

void CVantaView::cancelPlacement() {
    if (pending_ == 0)
        return;
    pending_ = 0;
    picture_.reset();
    refreshDisplay();
    emit commandStateChanged();
}

void CVantaView::togglePlacement(int kind) {
    const ComponentKindInfo* info = findComponentKind(static_cast<uint8_t>(kind));
    // A kind without an outline of its own (the picture) is placed from what the user loads.
    if (info == nullptr || info->placement.width == 0 || currentScreen() == nullptr)
        return;
    if (pending_ == kind) {
        cancelPlacement();
        return;
    }
    picture_.reset();
    armPlacement(static_cast<uint8_t>(kind), info->placement.width, info->placement.height);
}

void CVantaView::placePicture() {
    if (pending_ == kKindPicture) {
        cancelPlacement();
        return;
    }
    if (currentScreen() == nullptr)
        return;
    QStringList formats;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        formats << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString filter = tr("bmp文件(*.bmp)") + QStringLiteral(";;") + tr("图片文件") +
                           QStringLiteral("(") + formats.join(QLatin1Char(' ')) +
                           QStringLiteral(")");
    QFileDialog dialog(this, QString(), QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    placePictureFile(dialog.selectedFiles().first());
}

bool CVantaView::placePictureFile(const QString& path) {
    if (currentScreen() == nullptr)
        return false;
    const std::string caption = tr("Open picture").toStdString();
    QImageReader reader(path);
    const QSize size = reader.size();
    // The size is checked before the pixels are read, so a huge file is never decoded.
    if (size.isValid() && !pictureSizeAllowed(size.width(), size.height())) {
        prompter_.inform(tr("picture size error!!!").toStdString(), caption, Severity::Warning);
        return false;
    }
    const QImage loaded = reader.read();
    if (loaded.isNull()) {
        prompter_.inform(tr("Open the picture error!!!").toStdString(), caption, Severity::Warning);
        return false;
    }
    const int width = loaded.width(), height = loaded.height();
    if (!pictureSizeAllowed(width, height)) {
        prompter_.inform(tr("picture size error!!!").toStdString(), caption, Severity::Warning);
        return false;
    }
    const QImage rgb = loaded.convertToFormat(QImage::Format_RGB32);
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x)
            pixels.push_back(line[x] & 0xFFFFFFu);
    }
    Result<MonoBitmap> bitmap = CUpLoadPic::convertLoadedPicture(width, height, pixels);
    if (!bitmap.ok()) {
        prompter_.inform(bitmap.message(), caption, Severity::Warning);
        return false;
    }
    picture_ = std::move(bitmap.value());
    armPlacement(kKindPicture, static_cast<int32_t>(std::lround(width * 2.5)),
                 static_cast<int32_t>(std::lround(height * 2.5)));
    return true;
}

// --- screen commands ---

void CVantaView::newScreen() {
    if (currentScreen() == nullptr)
        return;
    NewScreenDialog dialog(project().screens, prompter_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::vector<size_t> before = selectionIndexes();
    hidePages();
    selected_.clear();
    EditRecorder recorder(project());
    CMainView& created = project().screens.createScreen(dialog.number(), dialog.description());
    recorder.screenInserted(project().screens.currentPosition());
    pushEdit(recorder.finish(), tr("新建画面%1").arg(created.m_number), before, {});
    dragging_ = false;
    fillScreenList();
    showCurrentScreenPage();
    list_->setFocus();
    refreshDisplay();
    emit selectionChanged();
    emit commandStateChanged();
}

void CVantaView::copyScreen() {
    CMainView* screen = currentScreen();
    if (screen == nullptr)
        return;
    CopyScreenDialog dialog(screen->m_number, prompter_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ScreenList& screens = project().screens;
    const uint16_t source = screen->m_number;
    const uint16_t target = dialog.target();
    const ScreenList::CopyOutcome plan = screens.planCopy(target, prompter_);
    if (plan.kind == ScreenList::CopyOutcome::Nothing)
        return;
    const std::vector<size_t> before = selectionIndexes();
    hidePages();
    selected_.clear();
    EditRecorder recorder(project());
    if (plan.kind == ScreenList::CopyOutcome::Replaced)
        recorder.screen(plan.position);
    const ScreenList::CopyOutcome outcome = screens.applyCopy(target, plan);
    if (outcome.kind == ScreenList::CopyOutcome::Created)
        recorder.screenInserted(outcome.position);
    pushEdit(recorder.finish(), tr("复制画面%1到画面%2").arg(source).arg(target), before, {});
    dragging_ = false;
    fillScreenList();
    showCurrentScreenPage();
    refreshDisplay();
    emit selectionChanged();
    emit commandStateChanged();
}

void CVantaView::deleteScreen() {
    CMainView* screen = currentScreen();
    if (screen == nullptr)
        return;
    ScreenList& screens = project().screens;
    if (!screens.askDeleteCurrent(prompter_))
        return;
    const uint16_t number = screen->m_number;
    const std::vector<size_t> before = selectionIndexes();
    hidePages();
    selected_.clear();
    EditRecorder recorder(project());
    recorder.removeScreen(screens.currentPosition());
    // A project always holds a screen.
    if (screens.empty()) {
        screens.createScreen(1, {});
        recorder.screenInserted(0);
    }
    pushEdit(recorder.finish(), tr("删除画面%1").arg(number), before, {});
    dragging_ = false;
    fillScreenList();
    showCurrentScreenPage();
    refreshDisplay();
    emit selectionChanged();
    emit commandStateChanged();
}

// --- selection ---

std::vector<CBase*> CVantaView::selection() const {
    std::vector<CBase*> inOrder;
    if (CMainView* screen = currentScreen())
        for (size_t index : selectionIndexes())
            inOrder.push_back(screen->components()[index].get());
    return inOrder;
}

std::vector<size_t> CVantaView::selectionIndexes() const {
    std::vector<size_t> indexes;
    const CMainView* screen = currentScreen();
    if (screen == nullptr || selected_.empty())
        return indexes;
    const auto& list = screen->components();
    for (size_t i = 0; i < list.size(); ++i)
        if (std::find(selected_.begin(), selected_.end(), list[i].get()) != selected_.end())
            indexes.push_back(i);
    return indexes;
}

void CVantaView::selectIndexes(const std::vector<size_t>& indexes) {
    std::vector<CBase*> components;
    if (const CMainView* screen = currentScreen())
        for (size_t index : indexes)
            if (index < screen->components().size())
                components.push_back(screen->components()[index].get());
    setSelection(std::move(components));
}

void CVantaView::setSelection(std::vector<CBase*> components) {
    const bool samePage = components.size() == 1 && selected_.size() == 1 &&
                          components.front() == selected_.front() && shownPage() != screenPage_;
    selected_ = std::move(components);
    if (!samePage)
        showSelectionPage();
    refreshDisplay();
    emit selectionChanged();
    emit commandStateChanged();
}

void CVantaView::showSelectionPage() {
    if (selected_.size() == 1) {
        selected_.front()->ShowPropertyPage();
        selected_.front()->FillPropertyPage();
    } else {
        showCurrentScreenPage();
    }
}

std::vector<CBase*> CVantaView::componentsAt(Point point) const {
    std::vector<CBase*> hits;
    if (const CMainView* screen = currentScreen())
        for (const auto& component : screen->components())
            if (component->HitTest(point))
                hits.push_back(component.get());
    return hits;
}

size_t CVantaView::indexOf(const CBase* component) const {
    if (const CMainView* screen = currentScreen()) {
        const auto& list = screen->components();
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].get() == component)
                return i;
    }
    return SIZE_MAX;
}

void CVantaView::selectAll() {
    CMainView* screen = currentScreen();
    if (screen == nullptr || pending_ != 0)
        return;
    std::vector<CBase*> all;
    for (const auto& component : screen->components())
        all.push_back(component.get());
    setSelection(std::move(all));
}

void CVantaView::clearSelection() {
    if (!selected_.empty())
        setSelection({});
}

// --- the undo history ---

void CVantaView::pushEdit(ProjectEdit edit, const QString& text, std::vector<size_t> selectedBefore,
                          std::vector<size_t> selectedAfter, const QString& mergeKey) {
    if (edit.isEmpty())
        return;
    undo_->push(new EditCommand(*this, std::move(edit), text, std::move(selectedBefore),
                                std::move(selectedAfter), mergeKey));
    // The pages' next steps start from here.
    if (pageComponent_ != nullptr && indexOf(pageComponent_) != SIZE_MAX)
        pageRecord_ = componentRecord(*pageComponent_);
    if (pageScreen_ != nullptr && pageScreen_ == currentScreen())
        screenFieldsRecord_ = screenFieldsRecord(*pageScreen_);
}

void CVantaView::pushEdit(ProjectEdit edit, const QString& text) {
    const std::vector<size_t> selected = selectionIndexes();
    pushEdit(std::move(edit), text, selected, selected);
}

void CVantaView::undo() {
    commitFocusedEntry();
    undo_->undo();
}

void CVantaView::redo() {
    commitFocusedEntry();
    undo_->redo();
}

void CVantaView::commitFocusedEntry() {
    // A number being typed is checked first: what its check changes joins the field's step.
    auto* edit = qobject_cast<CNumEdit*>(QApplication::focusWidget());
    if (edit != nullptr && isAncestorOf(edit) && edit->isEnabled() && !edit->isReadOnly())
        edit->commit();
}

void CVantaView::applyEdit(const ProjectEdit& edit, bool undo,
                           const std::vector<size_t>& selected) {
    applyingEdit_ = true;
    if (pending_ != 0) {
        pending_ = 0;
        picture_.reset();
    }
    dragging_ = false;
    banding_ = false;
    setDragCursor(false);
    // The pages let go of the parts about to be replaced.
    hidePages();
    selected_.clear();
    const Status applied = undo ? edit.undo(project()) : edit.redo(project());
    bool screensChanged = false, settingsTouched = false;
    for (const ProjectEdit::Change& change : edit.changes()) {
        screensChanged = screensChanged || change.part == ProjectEdit::Part::Screen ||
                         change.part == ProjectEdit::Part::ScreenFields;
        settingsTouched = settingsTouched || change.part == ProjectEdit::Part::Settings;
    }
    if (screensChanged)
        fillScreenList();
    else
        selectCurrentRow();
    endRun();
    applyingEdit_ = false;
    if (settingsTouched)
        emit settingsChanged();
    // What the step changed is shown: its screen, its components selected, their page.
    selectIndexes(selected);
    refreshDisplay();
    emit commandStateChanged();
    if (!applied) {
        const QString reason = translateCoreText(applied.message());
        prompter_.inform(
            (undo ? tr("无法撤销这一步：%1") : tr("无法重做这一步：%1")).arg(reason).toStdString(),
            {}, Severity::Error);
    }
}

void CVantaView::historyMoved() {
    const bool modified = !undo_->isClean();
    if (document_.isModified() != modified)
        document_.setModified(modified);
    emit documentModified();
    emit commandStateChanged();
}

void CVantaView::hidePages() {
    for (PropertyPage* page : pages_)
        if (page)
            page->hide();
    screenPage_->hide();
    screenPage_->release();
    pageComponent_ = nullptr;
    pageScreen_ = nullptr;
}

QString CVantaView::fieldStepName(const QString& fallback) const {
    QWidget* control = QApplication::focusWidget();
    QString name;
    if (control != nullptr && isAncestorOf(control)) {
        if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
            name = button->text();
        } else {
            for (const QLabel* label : findChildren<QLabel*>())
                if (label->buddy() == control && label->isVisible()) {
                    name = label->text();
                    break;
                }
        }
    }
    name.remove(QLatin1Char('&'));
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(0xFF1A)))
        name.chop(1);
    name = name.trimmed();
    return tr("修改%1").arg(name.isEmpty() ? fallback : name);
}

QString CVantaView::fieldMergeKey(const QString& part) const {
    // Typing into one field merges; a click on a box, a button or a list is a step of its own.
    QWidget* control = QApplication::focusWidget();
    if (control == nullptr || !isTextEntry(control))
        return {};
    return QStringLiteral("field:%1:%2:%3")
        .arg(part)
        .arg(reinterpret_cast<quintptr>(control))
        .arg(editRun_);
}

void CVantaView::componentPageChanged() {
    if (applyingEdit_ || pageComponent_ == nullptr)
        return;
    const size_t index = indexOf(pageComponent_);
    if (index == SIZE_MAX)
        return;
    if (componentRecord(*pageComponent_) == pageRecord_)
        return;
    const size_t screen = project().screens.currentPosition();
    EditRecorder recorder(project());
    recorder.componentBefore(screen, index, pageRecord_);
    const std::vector<size_t> selected = selectionIndexes();
    pushEdit(recorder.finish(), fieldStepName(kindName(pageComponent_->m_kind)), selected, selected,
             fieldMergeKey(QStringLiteral("c%1.%2").arg(screen).arg(index)));
}

void CVantaView::screenPageChanged() {
    if (applyingEdit_ || pageScreen_ == nullptr || pageScreen_ != currentScreen())
        return;
    if (screenFieldsRecord(*pageScreen_) == screenFieldsRecord_)
        return;
    const size_t screen = project().screens.currentPosition();
    EditRecorder recorder(project());
    recorder.screenFieldsBefore(screen, screenFieldsRecord_);
    const std::vector<size_t> selected = selectionIndexes();
    pushEdit(recorder.finish(), fieldStepName(tr("画面属性")), selected, selected,
             fieldMergeKey(QStringLiteral("s%1").arg(screen)));
}

// --- components: names, clipboard, stacking ---

QString CVantaView::kindName(uint8_t kind) {
    switch (kind) {
        case kKindChars:
            return tr("文本");
        case kKindRegister:
            return tr("寄存器");
        case kKindLight:
            return tr("指示灯");
        case kKindFunction:
            return tr("功能键");
        case kKindPicture:
            return tr("图片");
        case kKindBar:
            return tr("棒状图");
        case kKindTide:
            return tr("趋势图");
        case kKindDynamic:
            return tr("动态文本");
        default:
            return tr("部件");
    }
}

QString CVantaView::componentName(uint8_t kind, int32_t x, int32_t y) {
    return tr("%1 (%2, %3)").arg(kindName(kind)).arg(x).arg(y);
}

QString CVantaView::componentsName(const std::vector<const CBase*>& components) {
    if (components.size() == 1)
        return kindName(components.front()->m_kind);
    return tr("%1个部件").arg(components.size());
}

bool CVantaView::canPaste() const {
    return currentScreen() != nullptr && clipboardMayHoldComponents();
}

void CVantaView::copySelection() {
    const std::vector<CBase*> chosen = selection();
    if (chosen.empty())
        return;
    putComponentsOnClipboard(project(), std::vector<const CBase*>(chosen.begin(), chosen.end()));
}

void CVantaView::cutSelection() {
    if (!hasSelection())
        return;
    copySelection();
    removeSelection(tr("剪切%1"));
}

void CVantaView::deleteSelection() {
    removeSelection(tr("删除%1"));
}

void CVantaView::removeSelection(const QString& text) {
    const std::vector<size_t> indexes = selectionIndexes();
    if (indexes.empty())
        return;
    const std::vector<CBase*> chosen = selection();
    const QString name = componentsName(std::vector<const CBase*>(chosen.begin(), chosen.end()));
    hidePages();
    selected_.clear();
    dragging_ = false;
    setDragCursor(false);
    EditRecorder recorder(project());
    const size_t screen = project().screens.currentPosition();
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it)
        recorder.removeComponent(screen, *it);
    pushEdit(recorder.finish(), text.arg(name), indexes, {});
    showCurrentScreenPage();
    refreshDisplay();
    emit selectionChanged();
    emit commandStateChanged();
}

void CVantaView::paste() {
    if (currentScreen() == nullptr)
        return;
    const std::optional<std::string> json = componentsOnClipboard();
    if (!json)
        return;
    Result<TransferredComponents> read = componentsFromJson(*json, project());
    if (!read) {
        prompter_.inform(tr("剪贴板上没有可粘贴的部件：%1")
                             .arg(QString::fromStdString(read.message()))
                             .toStdString(),
                         {}, Severity::Warning);
        return;
    }
    TransferredComponents& pasted = read.value();
    if (pasted.components.empty())
        return;
    ++pasteCount_;
    insertComponents(std::move(pasted.components), tr("粘贴%1"), pasteAt_,
                     kPasteOffset * pasteCount_);
    if (!pasted.resets.empty())
        tellResetFields(pasted.protocol, pasted.resets);
}

// Names each pasted component whose fields were reset where it now lies: the paste puts the
// components on top, in the order they came, so the n-th of them is the screen's n-th.
void CVantaView::tellResetFields(uint8_t madeFor, const std::vector<ComponentReset>& resets) {
    if (currentScreen() == nullptr)
        return;
    const auto& onScreen = currentScreen()->components();
    QStringList lines;
    for (const ComponentReset& reset : resets) {
        if (reset.index >= onScreen.size())
            continue;
        const CBase& placed = *onScreen[reset.index];
        QStringList fields;
        for (const std::string& field : reset.fields)
            fields << translateCoreText(field);
        lines << tr("%1：%2").arg(componentName(placed.m_kind, placed.m_x, placed.m_y),
                                  fields.join(tr("、")));
    }
    const auto name = [](uint8_t protocol) {
        return QString::fromUtf8(protocolNameEnglish(protocol));
    };
    prompter_.inform(
        tr("粘贴的部件是为%1制作的；在%2下，以下字段已设为新放置部件的值：\n%3")
            .arg(name(madeFor), name(project().protocol()), lines.join(QLatin1Char('\n')))
            .toStdString(),
        {}, Severity::Information);
}

void CVantaView::duplicateSelection() {
    const std::vector<CBase*> chosen = selection();
    if (chosen.empty())
        return;
    std::vector<std::unique_ptr<CBase>> copies;
    for (const CBase* component : chosen) {
        auto copy = componentFromRecord(componentRecord(*component), project().context());
        if (copy)
            copies.push_back(std::move(copy.value()));
    }
    insertComponents(std::move(copies), tr("再制%1"), std::nullopt, kPasteOffset);
}

void CVantaView::insertComponents(std::vector<std::unique_ptr<CBase>> components,
                                  const QString& text, std::optional<Point> at, int32_t offset) {
    if (components.empty() || currentScreen() == nullptr)
        return;
    cancelPlacement();
    const std::vector<size_t> before = selectionIndexes();
    hidePages();
    EditRecorder recorder(project());
    const size_t screen = project().screens.currentPosition();
    std::vector<CBase*> inserted;
    std::vector<size_t> indexes;
    // On top, in the order they came: the first is the topmost.
    for (size_t i = 0; i < components.size(); ++i) {
        inserted.push_back(recorder.insertComponent(screen, i, std::move(components[i])));
        indexes.push_back(i);
    }
    int32_t left = INT32_MAX, top = INT32_MAX;
    for (const CBase* c : inserted) {
        left = std::min(left, c->m_x);
        top = std::min(top, c->m_y);
    }
    selected_ = inserted;
    if (at)
        moveSelectionBy(panelFromScreen(at->x) - left, panelFromScreen(at->y) - top);
    else
        moveSelectionBy(offset, offset);
    for (CBase* c : inserted)
        if (!c->IsInsideDisplay())
            c->ClampToDisplay();
    pushEdit(recorder.finish(),
             text.arg(componentsName(std::vector<const CBase*>(inserted.begin(), inserted.end()))),
             before, indexes);
    showSelectionPage();
    refreshDisplay();
    emit selectionChanged();
    emit commandStateChanged();
}

void CVantaView::bringToFront() {
    restack(true);
}

void CVantaView::sendToBack() {
    restack(false);
}

void CVantaView::restack(bool toFront) {
    const std::vector<size_t> indexes = selectionIndexes();
    CMainView* screen = currentScreen();
    if (indexes.empty() || screen == nullptr)
        return;
    const size_t count = indexes.size(), total = screen->components().size();
    // Already there: nothing to do.
    if ((toFront && indexes.back() == count - 1) || (!toFront && indexes.front() == total - count))
        return;
    const std::vector<CBase*> chosen = selection();
    const QString name = componentsName(std::vector<const CBase*>(chosen.begin(), chosen.end()));
    EditRecorder recorder(project());
    const size_t position = project().screens.currentPosition();
    std::vector<std::unique_ptr<CBase>> taken;
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it)
        taken.push_back(recorder.removeComponent(position, *it));
    std::reverse(taken.begin(), taken.end());
    const size_t at = toFront ? 0 : screen->components().size();
    std::vector<size_t> after;
    for (size_t i = 0; i < taken.size(); ++i) {
        recorder.insertComponent(position, at + i, std::move(taken[i]));
        after.push_back(at + i);
    }
    pushEdit(recorder.finish(), (toFront ? tr("将%1置于顶层") : tr("将%1置于底层")).arg(name),
             indexes, after);
    refreshDisplay();
    emit commandStateChanged();
}

void CVantaView::showProperties() {
    CBase* component = contextComponent_;
    if (component == nullptr && selected_.size() == 1)
        component = selected_.front();
    if (component == nullptr || indexOf(component) == SIZE_MAX)
        return;
    setSelection({component});
    if (QWidget* page = shownPage()) {
        for (QWidget* child : page->findChildren<QWidget*>()) {
            if ((child->focusPolicy() & Qt::TabFocus) && child->isVisible() && child->isEnabled()) {
                child->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    }
}

void CVantaView::displayContextMenu(QPoint at, QPoint global) {
    if (suppressContextMenu_) {
        suppressContextMenu_ = false;  // the press only cancelled a placement
        return;
    }
    if (currentScreen() == nullptr || pending_ != 0 || contextActions_.isEmpty())
        return;
    const Point onDisplay{at.x() - kDisplayRect.left(), at.y() - kDisplayRect.top()};
    const std::vector<CBase*> hits = componentsAt(onDisplay);
    contextComponent_ = hits.empty() ? nullptr : hits.front();
    if (contextComponent_ != nullptr &&
        std::find(selected_.begin(), selected_.end(), contextComponent_) == selected_.end())
        setSelection({contextComponent_});
    QMenu menu(this);
    for (QAction* action : contextActions_) {
        if (action == nullptr)
            menu.addSeparator();
        else
            menu.addAction(action);
    }
    emit commandStateChanged();
    // A paste from here lands at the mouse.
    pasteAt_ = Point{at.x() - kDisplayRect.left(), at.y() - kDisplayRect.top()};
    menu.exec(global);
    pasteAt_.reset();
    contextComponent_ = nullptr;
}

void CVantaView::listContextMenu(QMouseEvent* mouse) {
    // The menu acts on the row clicked: that screen becomes the current one first.
    const int row = list_->rowAt(static_cast<int>(mouse->position().y()));
    if (row >= 0 && static_cast<size_t>(row) < project().screens.size() &&
        static_cast<size_t>(row) != project().screens.currentPosition())
        activateScreen(static_cast<size_t>(row));
    const bool open = currentScreen() != nullptr;
    for (QAction* action : listMenu_->actions())
        action->setEnabled(open);
    listMenu_->exec(mouse->globalPosition().toPoint());
}

// --- showing what a problem is about ---

bool CVantaView::showScreenNumber(uint16_t number) {
    const int position = project().screens.find(number);
    if (position < 0)
        return false;
    pending_ = 0;
    picture_.reset();
    activateScreen(static_cast<size_t>(position));
    selectCurrentRow();
    return true;
}

bool CVantaView::selectComponent(uint16_t screenNumber, size_t index) {
    if (!showScreenNumber(screenNumber))
        return false;
    CMainView* screen = currentScreen();
    if (index >= screen->components().size())
        return false;
    // Selecting never restacks: the list order is the project's, changed only by an edit step.
    dragging_ = false;
    selectIndexes({index});
    return true;
}

// --- keys and buttons, seen before the widget they go to ---

bool CVantaView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == displayScroll_ && type == QEvent::Resize)
        fitDisplayFrame();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick && type != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || (widget != this && !isAncestorOf(widget)))
        return QWidget::eventFilter(watched, event);

    if (type == QEvent::ShortcutOverride) {
        // Undo and redo in a field of a page are the editor's: the field's steps are in the
        // history, and a text field's own undo would change the text without the model.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier)) {
            event->ignore();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }

    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Control)
            ctrlHeld_ = type == QEvent::KeyPress;
        if (type != QEvent::KeyPress || currentScreen() == nullptr)
            return QWidget::eventFilter(watched, event);
        if (key->key() == Qt::Key_Escape) {
            if (pending_ != 0) {
                cancelPlacement();
                return true;
            }
            if (hasSelection() && !isTextEntry(widget)) {
                clearSelection();
                return true;
            }
        }
        if (key->key() == Qt::Key_Delete && !isTextEntry(widget)) {
            if (hasSelection())
                deleteSelection();
            else
                deleteScreen();
            return true;
        }
        // In the screen list the arrows change screens, unless components are selected: then
        // they nudge them.
        if (widget == list_ && hasSelection() && pending_ == 0 &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            const int step = (key->modifiers() & Qt::ShiftModifier) ? kNudgeLongStep : 1;
            switch (key->key()) {
                case Qt::Key_Left:
                    nudge(-step, 0);
                    return true;
                case Qt::Key_Right:
                    nudge(step, 0);
                    return true;
                case Qt::Key_Up:
                    nudge(0, -step);
                    return true;
                case Qt::Key_Down:
                    nudge(0, step);
                    return true;
                default:
                    break;
            }
        }
        return QWidget::eventFilter(watched, event);
    }

    auto* mouse = static_cast<QMouseEvent*>(event);
    const bool inList = widget == list_ || list_->isAncestorOf(widget);
    if (inList && widget == list_->viewport()) {
        if (type == QEvent::MouseButtonDblClick)
            return true;  // a double click does nothing
        if (mouse->button() == Qt::RightButton) {
            if (type == QEvent::MouseButtonPress)
                listContextMenu(mouse);
            return true;
        }
    }
    if (!inList && type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton &&
        pending_ != 0) {
        cancelPlacement();
        suppressContextMenu_ = widget == display_;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vanta
