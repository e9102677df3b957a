// The multiple-document frame, its child windows and placing windows at the pointer.

#include "ui/winlib/winlib.h"

#include <QPointer>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QResizeEvent>

namespace zol::winlib {

namespace {

QStringList Local_Files(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

QMenu* Find_Menu(const QList<QAction*>& actions, const QString& title)
{
    for (QAction* action : actions)
        if (action->menu() && action->menu()->title() == title) return action->menu();
    return nullptr;
}

} // namespace

// ---- Zol_Base -------------------------------------------------------------------------------

Zol_Base::Zol_Base(QWidget* parent) : QMainWindow(parent), client_(new QMdiArea(this))
{
    setCentralWidget(client_);
    setAcceptDrops(true);
}

Zol_Base::~Zol_Base()
{
    Fire(this, QStringLiteral("DestroyEvent"));
}

namespace {

// The menu at menu_path, made on the way when missing; null for an empty path.
QMenu* Menu_At(QMenuBar* bar, const QStringList& menu_path)
{
    QMenu* menu = nullptr;
    for (const QString& title : menu_path) {
        QMenu* next = Find_Menu(menu ? menu->actions() : bar->actions(), title);
        if (!next) next = menu ? menu->addMenu(title) : bar->addMenu(title);
        menu = next;
    }
    return menu;
}

} // namespace

QAction* Zol_Base::Add_Menu_Item(const QStringList& path, int id)
{
    if (path.isEmpty()) return nullptr;
    QMenu* menu = Menu_At(menuBar(), path.mid(0, path.size() - 1));
    QAction* action = menu ? menu->addAction(path.last()) : menuBar()->addAction(path.last());
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { Run_Command(id); });
    items_[id] = action;
    return action;
}

void Zol_Base::Add_Menu_Separator(const QStringList& menu_path)
{
    if (QMenu* menu = Menu_At(menuBar(), menu_path)) menu->addSeparator();
    else menuBar()->addSeparator();
}

QMenu* Zol_Base::Menu(const QStringList& path)
{
    return Menu_At(menuBar(), path);
}

QAction* Zol_Base::Menu_Item(int id) const
{
    const auto found = items_.find(id);
    return found == items_.end() ? nullptr : found->second;
}

void Zol_Base::Run_Command(int id)
{
    const auto found = commands_.find(id);
    if (found == commands_.end() || !found->second) return;
    // A copy: the command may rebind itself.
    const std::function<void()> command = found->second;
    command();
}

void Zol_Base::Bind_Command(int id, std::function<void()> action)
{
    commands_[id] = std::move(action);
}

void Zol_Base::closeEvent(QCloseEvent* event)
{
    EventArgs args;
    Fire(this, QStringLiteral("CloseEvent"), args);
    if (args.allow) event->accept();
    else event->ignore();
}

void Zol_Base::dragEnterEvent(QDragEnterEvent* event)
{
    if (!Local_Files(event->mimeData()).isEmpty()) event->acceptProposedAction();
    else event->ignore();
}

void Zol_Base::dropEvent(QDropEvent* event)
{
    EventArgs args;
    args.files = Local_Files(event->mimeData());
    if (args.files.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Fire(this, QStringLiteral("DropFilesEvent"), args);
}

// ---- FormChild_Base -------------------------------------------------------------------------

FormChild_Base::FormChild_Base(QWidget* parent) : QMdiSubWindow(parent), content_(new QWidget)
{
    setWidget(content_);
}

FormChild_Base::~FormChild_Base()
{
    if (!destroyed_) {
        destroyed_ = true;
        Fire(this, QStringLiteral("DestroyEvent"));
    }
}

void FormChild_Base::Set_Content_Size(int w, int h)
{
    // The frame around the content (title bar, borders) is whatever the style makes it; measure
    // it and correct once more in case the style rounds.
    // A hidden window's layout does not follow a resize by itself, so it is redone each time.
    auto settle = [this] {
        if (!layout()) return;
        layout()->invalidate();
        layout()->activate();
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        settle();
        const QSize now = content_->size();
        if (now == QSize(w, h)) return;
        resize(width() + (w - now.width()), height() + (h - now.height()));
    }
    settle();
}

void FormChild_Base::closeEvent(QCloseEvent* event)
{
    EventArgs args;
    Fire(this, QStringLiteral("CloseEvent"), args);
    if (!args.allow) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    // A window that deletes itself on close is reported destroyed now, while it is whole; the
    // deletion itself follows later from the event loop.
    if (event->isAccepted() && testAttribute(Qt::WA_DeleteOnClose) && !destroyed_) {
        destroyed_ = true;
        Fire(this, QStringLiteral("DestroyEvent"));
    }
}

void FormChild_Base::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    Fire(this, QStringLiteral("ResizeEvent"), event->size().width(), event->size().height());
}

// ---- Placing at the pointer -----------------------------------------------------------------

namespace {

int Clamp_Start(int start, int length, int low, int high)
{
    // Keeps [start, start + length) inside [low, high) where it fits; otherwise at low.
    if (start + length > high) start = high - length;
    if (start < low) start = low;
    return start;
}

QSize Placed_Size(const QWidget* window)
{
    if (!window->testAttribute(Qt::WA_Resized) && window->sizeHint().isValid())
        return window->sizeHint().expandedTo(window->minimumSize());
    return window->size();
}

} // namespace

void Place_At_Pointer(QWidget* window, QWidget* frame, QPoint offset)
{
    if (!window) return;
    const QPoint pointer = Pointer_Position() + offset;
    const QSize size = Placed_Size(window);
    if (!window->isWindow() && window->parentWidget()) {
        // A child window: positions are in its parent's coordinates, kept inside the parent.
        QWidget* parent = window->parentWidget();
        const QPoint at = parent->mapFromGlobal(pointer);
        window->move(Clamp_Start(at.x(), size.width(), 0, parent->width()),
                     Clamp_Start(at.y(), size.height(), 0, parent->height()));
        return;
    }
    QPoint at = pointer;
    if (frame) {
        const QRect bounds = frame->window()->frameGeometry();
        at.setX(Clamp_Start(at.x(), size.width(), bounds.left(), bounds.right() + 1));
        at.setY(Clamp_Start(at.y(), size.height(), bounds.top(), bounds.bottom() + 1));
    }
    window->move(at);
}

namespace {

// Moves a child window back inside its area whenever the area is resized.
class InsideKeeper : public QObject {
public:
    InsideKeeper(QWidget* window, QWidget* area) : QObject(window), window_(window), area_(area)
    {
        area->installEventFilter(this);
        Keep();
    }

    void Keep()
    {
        if (!window_ || !area_) return;
        const QSize size = window_->frameGeometry().size();
        window_->move(Clamp_Start(window_->x(), size.width(), 0, area_->width()),
                      Clamp_Start(window_->y(), size.height(), 0, area_->height()));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == area_ && event->type() == QEvent::Resize) Keep();
        return false;
    }

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> area_;
};

} // namespace

void Keep_Inside(QWidget* window, QWidget* area)
{
    if (window && area) new InsideKeeper(window, area);
}

} // namespace zol::winlib

// The form classes' meta-object code lives with them, apart from the other windows'.
#include "moc_winlib.cpp"
