#pragma once
// The thin form layer every window of the program is built on: handlers bound by event name,
// the controls the forms use, the frame and child windows, and the seams behind which every
// modal dialog sits so that tests can script it.

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QListView>
#include <QStringListModel>
#include <QDialog>
#include <QImage>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QLabel>
#include <QStatusBar>
#include <QWidget>

#include <map>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QGridLayout;
class QLineEdit;

class QFileDialog;

namespace zol::winlib {

// ---- Events bound by name -------------------------------------------------------------------

// What a handler gets: the pointer position (pixels of the control that raised the event), the
// event's name, a scroll code for ScrollEvent, and for CloseEvent whether to allow the close.
struct EventArgs {
    QString name;       // "MouseMoveEvent", "LeftButtonDownEvent", ...
    int x = 0;
    int y = 0;
    int scroll_code = -1; // 0 line up/left, 1 line down/right, 2 page up, 3 page down,
                          // 4 thumb position, 5 thumb track, 8 end of scrolling
    int position = 0;     // ScrollEvent: the bar's position after the step
    bool allow = true;    // CloseEvent: set false to refuse the close
    QStringList files;    // DropFilesEvent
};
using Handler = std::function<void(QObject* sender, EventArgs& args)>;

// Binds handler to the named event of control, replacing any earlier one. Names:
// MouseMoveEvent, LeftButtonDownEvent, LeftButtonUpEvent, LeftButtonDoubleEvent,
// RightButtonDownEvent, RightButtonUpEvent, RightButtonDoubleEvent, ClickEvent, ChangeEvent,
// SelectEvent, ScrollEvent, CloseEvent, DestroyEvent, ResizeEvent, DropFilesEvent.
void Bind(QObject* control, const QString& event_name, Handler handler);
void Unbind(QObject* control, const QString& event_name);
// Runs the handler bound to the named event; false when none is bound. Tests call this directly.
bool Fire(QObject* control, const QString& event_name, EventArgs& args);
bool Fire(QObject* control, const QString& event_name, int x = 0, int y = 0);

// ---- Button snapshot ------------------------------------------------------------------------

struct ButtonSnapshot {
    bool left = false, right = false, middle = false;
    bool shift = false, ctrl = false, alt = false;
};
// The mouse buttons (logical: swapped buttons already honoured) and modifiers held now.
ButtonSnapshot Buttons_Now();
// Makes Buttons_Now answer snapshot (tests); nullopt restores the real state.
void Override_Buttons(std::optional<ButtonSnapshot> snapshot);

// The mouse pointer's global position; overridable for tests.
QPoint Pointer_Position();
void Override_Pointer(std::optional<QPoint> global_position);

// ---- Controls -------------------------------------------------------------------------------

// A picture control: shows an image at its top left and raises the mouse events by name.
// An overlay outline (the editing tools' rubber band) is drawn on the control itself, over the
// image, until the image is shown again.
class WPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit WPictureBox(QWidget* parent = nullptr);
    void Set_Image(const QImage& image);        // shows image (and removes any overlay)
    const QImage& Image() const { return image_; }
    // Shows each pixel of the image as a square of s x s pixels. The overlay and the mouse
    // events' positions stay in the image's pixels.
    void Set_Scale(int s);
    int Scale() const { return scale_; }
    // An outline, in widget pixels: dotted black unless told otherwise. Only the old and the new
    // outline are repainted.
    void Set_Overlay(const QRect& rect, const QColor& colour = Qt::black, Qt::PenStyle style = Qt::DotLine);
    std::optional<QRect> Overlay() const { return overlay_; }
    // What is on screen: the image with the overlay, as a QImage of the widget's size.
    QImage Grab() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;

private:
    QImage image_;
    std::optional<QRect> overlay_;
    int scale_ = 1;
    QColor overlay_colour_ = Qt::black;
    Qt::PenStyle overlay_style_ = Qt::DotLine;
};

// A scroll bar whose steps raise ScrollEvent with the codes above (6 and 7 for the jumps to
// either end); line and page steps are 1. A change of value that no step caused raises code 4.
class WScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit WScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

private:
    bool reporting_ = false; // a step's own change of value, announced with the step's code
};

// A push button and a check box that raise ClickEvent when clicked.
class WButton : public QPushButton {
    Q_OBJECT
public:
    explicit WButton(const QString& text, QWidget* parent = nullptr);
    // Room around the text, so that it never touches the button's edges.
    QSize sizeHint() const override;
};

class WCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit WCheckBox(const QString& text, QWidget* parent = nullptr);
};

// A drop-down list that raises SelectEvent when the user chooses an entry.
class WComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit WComboBox(QWidget* parent = nullptr);
};

// A single-selection list box of text lines that raises LeftButtonDoubleEvent and
// RightButtonDoubleEvent. Its lines are replaced all at once.
class WListBox : public QListView {
    Q_OBJECT
public:
    explicit WListBox(QWidget* parent = nullptr);
    void Set_Lines(const QStringList& lines);
    int Count() const;
    QString Line(int row) const;
    int Current_Row() const;
    void Set_Current_Row(int row);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QStringListModel* model_;
};

class WRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit WRadioButton(const QString& text, QWidget* parent = nullptr);
};

// A text pane that never asks for more room than its window has: a text too long for its width
// is shortened with an ellipsis and shown whole as its tooltip.
class WTextPane : public QLabel {
    Q_OBJECT
public:
    // sized_by_text: the pane asks for its text's width (else it takes what room it is given).
    explicit WTextPane(QWidget* parent = nullptr, bool sized_by_text = true);
    void Set_Text(const QString& text);
    const QString& Text() const { return full_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Show_Fitted();
    int Full_Width() const;
    QString full_;
    mutable int full_width_ = 0;  // of the whole text in pixels, measured when first needed; -1: not yet
    bool sized_by_text_;
};

// A status bar with numbered text panes (WTextPane).
class WStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit WStatusBar(int panes, QWidget* parent = nullptr);
    void Set_Text(int pane, const QString& text);
    // The whole text, however it is shown.
    QString Text(int pane) const;
    WTextPane* Pane(int pane) const { return panes_.at(std::size_t(pane)); }

private:
    std::vector<WTextPane*> panes_;
};

// ---- Frame and child windows ----------------------------------------------------------------

// The multiple-document frame. Raises CloseEvent (set allow=false to refuse), DestroyEvent,
// DropFilesEvent (files dropped from the desktop, in order).
class Zol_Base : public QMainWindow {
    Q_OBJECT
public:
    explicit Zol_Base(QWidget* parent = nullptr);
    ~Zol_Base() override;
    QMdiArea* Client() const { return client_; }
    // Adds a menu item: path like {"ファイル(&F)", "終了(&E)"}; returns its action.
    QAction* Add_Menu_Item(const QStringList& path, int id);
    void Add_Menu_Separator(const QStringList& menu_path);
    QAction* Menu_Item(int id) const;
    // The menu at path ({"ファイル(&F)", "最近使ったマップ(&R)"}), made when it is missing.
    QMenu* Menu(const QStringList& path);
    // Runs the command bound to id (as a click on its menu item would).
    void Run_Command(int id);
    void Bind_Command(int id, std::function<void()> action);

protected:
    void closeEvent(QCloseEvent*) override;
    void dragEnterEvent(QDragEnterEvent*) override;
    void dropEvent(QDropEvent*) override;

private:
    QMdiArea* client_;
    std::map<int, QAction*> items_;
    std::map<int, std::function<void()>> commands_;
};

// A child window of the frame. Raises CloseEvent (allow=false refuses), ResizeEvent (after the
// size changed) and DestroyEvent (once, when it is being destroyed).
class FormChild_Base : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit FormChild_Base(QWidget* parent = nullptr);
    ~FormChild_Base() override;
    // The widget that holds the controls; its size is what the controls may fill.
    QWidget* Content() const { return content_; }
    // Resizes the window so that its content area is w x h.
    void Set_Content_Size(int w, int h);

protected:
    void closeEvent(QCloseEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QWidget* content_;
    bool destroyed_ = false;
};

// ---- Dialog seams ---------------------------------------------------------------------------

struct FileDialogRequest {
    bool save = false;
    QString title;
    QString button_text;
    QString directory;      // where it starts
    QString initial_file;   // preselected file (may be a full path)
    QStringList filters;    // pairs flattened: "ZOLファイル", "*.zol", "すべてのファイル", "*.*"
    bool preview = false;   // a bitmap preview beside the list
};

class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;
    virtual std::optional<QString> Choose_File(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual std::optional<QColor> Choose_Colour(QWidget* owner, const QColor& initial) = 0;
};

// The installed presenter (the Qt one unless a test installed another).
DialogPresenter* Dialogs();
DialogPresenter* Set_Dialog_Presenter(DialogPresenter* presenter);

std::optional<QString> Choose_File(QWidget* owner, const FileDialogRequest& request);
std::optional<QColor> Choose_Colour(QWidget* owner, const QColor& initial);

// The file dialog's filters from the request's pairs: "ZOLファイル", "*.zol" becomes
// "ZOLファイル (*.zol)"; patterns joined by ';' are listed together and "*.*" means every file.
QStringList File_Dialog_Filters(const QStringList& pairs);

// QFileDialog and QColorDialog; the preview request uses PreviewFileDialog.
class QtDialogPresenter : public DialogPresenter {
public:
    std::optional<QString> Choose_File(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QColor> Choose_Colour(QWidget* owner, const QColor& initial) override;
};

// An open-file dialog with a bitmap preview of the selected file beside its list.
class PreviewFileDialog; // defined in preview_file_dialog.h

// ---- Small modeless dialogs ----------------------------------------------------------------

// A modeless dialog of fixed size owned by the frame, in the frame's font. Its close box and
// Escape raise CloseEvent on the dialog (allow=false refuses); it deletes itself once closed.
class WDialog : public QDialog {
    Q_OBJECT
public:
    WDialog(QWidget* owner, const QString& title);
    void reject() override { close(); }
    // How wide the window must be for its title to show beside the window frame's buttons.
    int Title_Width() const;

protected:
    void closeEvent(QCloseEvent* event) override;
};

// ---- A number in a small dialog -------------------------------------------------------------

// A modeless dialog holding an optional label, a scroll bar paired with a digits-only edit box
// (Pair_Scroll_And_Edit), and the buttons " OK " and "CANCEL" (each raising ClickEvent).
class WNumberDialog : public WDialog {
    Q_OBJECT
public:
    WNumberDialog(QWidget* owner, const QString& title, const QString& label, int minimum,
                  int maximum, int value, int bar_width, int edit_width);
    int Value() const { return bar->value(); }

    QScrollBar* bar = nullptr;
    QLineEdit* edit = nullptr;
    WButton* ok = nullptr;
    WButton* cancel = nullptr;
};

// ---- Busy guard ------------------------------------------------------------------------------

// Holds a ready flag at false for its lifetime (a fill, a long redraw), whatever way the work
// ends.
class BusyScope {
public:
    explicit BusyScope(bool& ready) : ready_(ready) { ready_ = false; }
    ~BusyScope() { ready_ = true; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& ready_;
};

// ---- Shared idioms --------------------------------------------------------------------------

// Moves a top-level or child window so its top left is at the pointer moved by offset, kept
// inside frame.
void Place_At_Pointer(QWidget* window, QWidget* frame, QPoint offset = {});

// How wide a window must be for its title to show beside the window frame's buttons (at most
// 640 pixels).
int Title_Width(const QWidget* window);
// Makes a dialog laid out by its layout at least that wide.
void Widen_For_Title(QWidget* dialog);

// Sizes the columns of a file dialog's detailed list to what they show, whenever a folder has
// been read.
void Fit_Columns(QFileDialog& dialog);

// Keeps a child window of an area inside it: now, and again whenever the area changes its size.
void Keep_Inside(QWidget* window, QWidget* area);

// A modeless window that exists at most once: Open() destroys the one open, makes a new one with
// make(), places it at the pointer (moved by offset) kept inside the frame, and shows it. The
// record empties when the window is destroyed.
template <class W>
class SingleWindow {
public:
    template <class Make>
    W* Open(QWidget* frame, Make make, QPoint offset = {})
    {
        Close();
        W* window = make();
        window_ = window;
        Place_At_Pointer(window, frame, offset);
        window->show();
        return window;
    }
    // Hides the window at once and deletes it from the event loop, so a window may close
    // itself from one of its own handlers.
    void Close()
    {
        if (window_) {
            window_->hide();
            window_->deleteLater();
        }
        window_.clear();
    }
    W* Get() const { return window_.data(); }
    // A window that was closed and waits for its deletion no longer counts as open.
    bool Is_Open() const { return !window_.isNull() && window_->isVisible(); }

private:
    QPointer<W> window_;
};

// Keeps a scroll bar and a digits-only edit box in step: moving the bar writes "%ld" into the
// box; a typed value inside the bar's range moves the bar; any other text, an emptied box too,
// is replaced by the bar's position at once.
void Pair_Scroll_And_Edit(QScrollBar* bar, QLineEdit* edit);

// One row of a size dialog: a label, a horizontal scroll bar (100 wide) and its digits-only box
// (50 wide, `digits` characters), kept in step. Returns the bar, which holds the value.
struct ScrollRow {
    int minimum = 1;
    int maximum = 1;
    int page_step = 1;
    int value = 1;
    int digits = 1;
    int edit_height = 20;
};
QScrollBar* Add_Scroll_Row(QGridLayout* grid, int row, const QString& text, const ScrollRow& shape,
                           QWidget* parent);

} // namespace zol::winlib
