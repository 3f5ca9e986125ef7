#include "editor/CVantaView.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
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
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <memory>

#include "dialogs/ScreenDialogs.h"
#include "editor/ScreenPage.h"
#include "model/CMainView.h"
#include "model/CUpLoadPic.h"
#include "model/DrawHelpers.h"
#include "pages/PropertyPage.h"
#include "project/ProjectDocument.h"
#include "qtsupport/QtCanvas.h"
#include "qtsupport/QtText.h"

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
        setAccessibleName(CVantaView::tr("Panel display"));
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
    void mouseReleaseEvent(QMouseEvent* event) override { view_->displayReleased(event); }
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
    QPoint toView(QMouseEvent* event) const {
        const QPointF units = event->position() * (kZoom / view_->zoom());
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
            markModified();
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
            markModified();
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

    qApp->installEventFilter(this);
    projectReplaced();
}

CVantaView::~CVantaView() {
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
    const CMainView* screen = currentScreen();
    return !nothingSelected_ && screen != nullptr && screen->head() != nullptr;
}

QRect CVantaView::placementOutline() const {
    return QRect(outline_.left, outline_.top, outline_.width(), outline_.height());
}

void CVantaView::markModified() {
    document_.setModified(true);
    emit documentModified();
}

// --- project and screen list ---

void CVantaView::projectReplaced() {
    project().context().pages = this;
    pending_ = 0;
    picture_.reset();
    nothingSelected_ = true;
    dragging_ = false;
    setDragCursor(false);
    fillScreenList();
    if (currentScreen() != nullptr) {
        showCurrentScreenPage();
    } else {
        screenPage_->hide();
        for (PropertyPage* page : pages_)
            page->hide();
    }
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
    nothingSelected_ = true;
    dragging_ = false;
    showCurrentScreenPage();
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
    fillingPage_ = true;
    page->fill(component, project());
    fillingPage_ = false;
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
        const Rect selection = screen->draw(canvas, !nothingSelected_);
        if (pending_ != 0)
            DrawDottedFrame(canvas, outline_.left, outline_.top, outline_.right, outline_.bottom);
        else if (!nothingSelected_ && !selection.isEmpty())
            DrawDottedFrame(canvas, selection.left, selection.top, selection.right,
                            selection.bottom);
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
        return;  // the right button is handled by the event filter
    // The display takes the keyboard: arrows move, Enter places, Delete deletes.
    display_->setFocus(Qt::MouseFocusReason);
    CMainView* screen = currentScreen();
    if (screen == nullptr)
        return;
    const Point onDisplay{at.x() - kDisplayRect.left(), at.y() - kDisplayRect.top()};
    if (pending_ == 0) {
        if (screen->hitTest(onDisplay)) {
            dragging_ = true;
            nothingSelected_ = false;
        } else {
            dragging_ = false;
            nothingSelected_ = true;
            showCurrentScreenPage();
        }
        refreshDisplay();
    } else {
        dragging_ = placePending();
    }
    anchor_ = {at.x(), at.y()};
    emit commandStateChanged();
}

bool CVantaView::placePending() {
    CMainView* screen = currentScreen();
    if (screen == nullptr || pending_ == 0)
        return false;
    const uint8_t kind = pending_;
    CBase* placed = nullptr;
    if (kind == kKindPicture) {
        if (picture_) {
            auto picture = std::make_unique<CUpLoadPic>(project().context(), outline_.left,
                                                        outline_.top, std::move(*picture_));
            placed = screen->addComponent(std::move(picture), outline_.left, outline_.top);
        }
        picture_.reset();
    } else {
        placed = screen->addComponent(kind, outline_.left, outline_.top);
    }
    pending_ = 0;
    nothingSelected_ = placed == nullptr;
    refreshDisplay();
    if (placed == nullptr)
        return false;
    markModified();
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
    CMainView* screen = currentScreen();
    if (!hasSelection() || screen == nullptr)
        return false;
    // The selected component moves by 4 panel pixels, as one step of a drag does.
    CBase* selected = screen->head();
    Point anchor{0, 0};
    const int32_t x = selected->m_x, y = selected->m_y;
    const Rect changed = selected->DragTo({dx * kDragScreenStep, dy * kDragScreenStep}, anchor);
    updateDisplayArea(QRect(changed.left, changed.top, changed.width(), changed.height()));
    if (selected->m_x != x || selected->m_y != y)
        markModified();
    return true;
}

void CVantaView::displayMoved(QPoint at) {
    CMainView* screen = currentScreen();
    if (screen == nullptr)
        return;
    if (dragging_) {
        CBase* selected = screen->head();
        if (selected == nullptr)
            return;
        const int32_t x = selected->m_x, y = selected->m_y;
        const Rect changed = selected->DragTo({at.x(), at.y()}, anchor_);
        updateDisplayArea(QRect(changed.left, changed.top, changed.width(), changed.height()));
        setDragCursor(true);
        if (selected->m_x != x || selected->m_y != y)
            markModified();
        return;
    }
    if (pending_ != 0 && kDisplayRect.contains(at)) {
        Rect moved;
        moved.left = (at.x() - kDisplayRect.left()) / kDragScreenStep * kDragScreenStep;
        moved.top = (at.y() - kDisplayRect.top()) / kDragScreenStep * kDragScreenStep;
        moveOutlineTo(moved);
    }
}

void CVantaView::displayReleased(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    setDragCursor(false);
}

// --- placement ---

void CVantaView::armPlacement(uint8_t kind, int32_t width, int32_t height) {
    pending_ = kind;
    outline_ = {0, 0, width, height};
    nothingSelected_ = true;
    dragging_ = false;
    // Armed from the menu, a key or a button, the display takes the keyboard: the arrows move
    // the outline and Enter places at once.
    display_->setFocus(Qt::OtherFocusReason);
    refreshDisplay();
    emit commandStateChanged();
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
    project().screens.createScreen(dialog.number(), dialog.description());
    nothingSelected_ = true;
    dragging_ = false;
    fillScreenList();
    list_->setFocus();
    refreshDisplay();
    markModified();
    emit commandStateChanged();
}

void CVantaView::copyScreen() {
    CMainView* screen = currentScreen();
    if (screen == nullptr)
        return;
    CopyScreenDialog dialog(screen->m_number, prompter_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ScreenList::CopyOutcome outcome =
        project().screens.copyCurrentTo(dialog.target(), prompter_);
    if (outcome.kind == ScreenList::CopyOutcome::Nothing)
        return;
    nothingSelected_ = true;
    dragging_ = false;
    fillScreenList();
    refreshDisplay();
    markModified();
    emit commandStateChanged();
}

void CVantaView::deleteScreen() {
    if (currentScreen() == nullptr)
        return;
    if (!project().screens.deleteCurrent(prompter_))
        return;
    nothingSelected_ = true;
    dragging_ = false;
    fillScreenList();
    showCurrentScreenPage();
    refreshDisplay();
    markModified();
    emit commandStateChanged();
}

bool CVantaView::deleteSelectedComponent() {
    if (!hasSelection())
        return false;
    currentScreen()->deleteSelected();
    nothingSelected_ = true;
    dragging_ = false;
    setDragCursor(false);
    refreshDisplay();
    markModified();
    emit commandStateChanged();
    return true;
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
    CBase* component = screen->components()[index].get();
    screen->bringToFront(component);
    nothingSelected_ = false;
    dragging_ = false;
    component->ShowPropertyPage();
    component->FillPropertyPage();
    refreshDisplay();
    emit commandStateChanged();
    return true;
}

// --- keys and buttons, seen before the widget they go to ---

bool CVantaView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == displayScroll_ && type == QEvent::Resize)
        fitDisplayFrame();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || (widget != this && !isAncestorOf(widget)))
        return QWidget::eventFilter(watched, event);

    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Control)
            ctrlHeld_ = type == QEvent::KeyPress;
        if (type == QEvent::KeyPress && key->key() == Qt::Key_Escape && pending_ != 0) {
            cancelPlacement();
            return true;
        }
        if (type == QEvent::KeyPress && key->key() == Qt::Key_Delete && !isTextEntry(widget) &&
            currentScreen() != nullptr) {
            if (!deleteSelectedComponent())
                deleteScreen();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }

    auto* mouse = static_cast<QMouseEvent*>(event);
    const bool inList = widget == list_ || list_->isAncestorOf(widget);
    if (inList && widget == list_->viewport()) {
        if (type == QEvent::MouseButtonDblClick)
            return true;  // a double click does nothing
        if (mouse->button() == Qt::RightButton) {
            if (type == QEvent::MouseButtonPress) {
                const bool open = currentScreen() != nullptr;
                for (QAction* action : listMenu_->actions())
                    action->setEnabled(open);
                listMenu_->exec(mouse->globalPosition().toPoint());
            }
            return true;
        }
    }
    if (!inList && type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton)
        cancelPlacement();
    return QWidget::eventFilter(watched, event);
}

}  // namespace vanta
