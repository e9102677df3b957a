// The picture control, the scroll bar, the status bar and the scroll bar paired with an edit box.

#include "ui/winlib/winlib.h"
#include "core/messages/texts.h"

#include <QCloseEvent>

#include <climits>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSpacerItem>

namespace zol::winlib {

namespace {

// Draws what a picture control shows: the image at the top left, white elsewhere, and the
// overlay outline over the pixels of the rectangle's border (a rectangle one pixel wide or high
// is all border).
// The overlay rectangle, given in image pixels, on the widget.
QRect Scaled(const QRect& rect, int s) { return QRect(rect.topLeft() * s, rect.size() * s); }

void Paint_Picture(QPainter& painter, const QSize& size, const QImage& image, int scale,
                   std::optional<QRect> overlay, const QColor& colour, Qt::PenStyle style)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    if (!image.isNull()) {
        if (scale == 1) painter.drawImage(QPoint(0, 0), image);
        else painter.drawImage(QRect(QPoint(0, 0), image.size() * scale), image); // nearest pixel
    }
    if (!overlay || !overlay->isValid()) return;
    overlay = Scaled(*overlay, scale);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (overlay->width() <= 2 || overlay->height() <= 2) {
        painter.fillRect(*overlay, colour);
        return;
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, 0, style));
    painter.drawRect(overlay->adjusted(0, 0, -1, -1));
}

const char* Button_Event(Qt::MouseButton button, const char* left, const char* right)
{
    if (button == Qt::LeftButton) return left;
    if (button == Qt::RightButton) return right;
    return nullptr;
}

int Floor_Div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

void Fire_Mouse(QWidget* control, const char* name, QMouseEvent* event, int scale = 1)
{
    if (!name) return;
    const QPoint at = event->position().toPoint();
    EventArgs args;
    args.x = Floor_Div(at.x(), scale);
    args.y = Floor_Div(at.y(), scale);
    Fire(control, QString::fromLatin1(name), args);
}

} // namespace

// ---- WPictureBox ----------------------------------------------------------------------------

WPictureBox::WPictureBox(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WPictureBox::Set_Image(const QImage& image)
{
    image_ = image;
    overlay_.reset();
    update();
}

namespace {

// The pixels an outline of rect covers, with a pixel to spare on each side.
QRegion Outline_Region(const QRect& rect)
{
    const QRect r = rect.adjusted(-1, -1, 1, 1);
    if (r.width() <= 4 || r.height() <= 4) return QRegion(r);
    return QRegion(r.left(), r.top(), r.width(), 3) + QRegion(r.left(), r.bottom() - 2, r.width(), 3) +
           QRegion(r.left(), r.top(), 3, r.height()) + QRegion(r.right() - 2, r.top(), 3, r.height());
}

} // namespace

void WPictureBox::Set_Overlay(const QRect& rect, const QColor& colour, Qt::PenStyle style)
{
    QRegion dirty = Outline_Region(Scaled(rect, scale_));
    if (overlay_) dirty += Outline_Region(Scaled(*overlay_, scale_));
    overlay_ = rect;
    overlay_colour_ = colour;
    overlay_style_ = style;
    update(dirty);
}

void WPictureBox::Set_Scale(int s)
{
    s = std::max(1, s);
    if (s == scale_) return;
    scale_ = s;
    update();
}

QImage WPictureBox::Grab() const
{
    QImage shown(size(), QImage::Format_RGB32);
    if (shown.isNull()) return shown;
    QPainter painter(&shown);
    Paint_Picture(painter, size(), image_, scale_, overlay_, overlay_colour_, overlay_style_);
    return shown;
}

void WPictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint_Picture(painter, size(), image_, scale_, overlay_, overlay_colour_, overlay_style_);
}

void WPictureBox::mousePressEvent(QMouseEvent* event)
{
    Fire_Mouse(this, Button_Event(event->button(), "LeftButtonDownEvent", "RightButtonDownEvent"), event, scale_);
    event->accept();
}

void WPictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    Fire_Mouse(this, Button_Event(event->button(), "LeftButtonUpEvent", "RightButtonUpEvent"), event, scale_);
    event->accept();
}

void WPictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    Fire_Mouse(this, Button_Event(event->button(), "LeftButtonDoubleEvent", "RightButtonDoubleEvent"),
               event, scale_);
    event->accept();
}

void WPictureBox::mouseMoveEvent(QMouseEvent* event)
{
    Fire_Mouse(this, "MouseMoveEvent", event, scale_);
    event->accept();
}

// ---- WScrollBar -----------------------------------------------------------------------------

namespace {

int Scroll_Code(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return 0;
    case QAbstractSlider::SliderSingleStepAdd: return 1;
    case QAbstractSlider::SliderPageStepSub: return 2;
    case QAbstractSlider::SliderPageStepAdd: return 3;
    case QAbstractSlider::SliderMove: return 5;
    case QAbstractSlider::SliderToMinimum: return 6;
    case QAbstractSlider::SliderToMaximum: return 7;
    default: return -1;
    }
}

void Fire_Scroll(WScrollBar* bar, int code)
{
    EventArgs args;
    args.scroll_code = code;
    args.position = bar->value();
    Fire(bar, QStringLiteral("ScrollEvent"), args);
}

} // namespace

WScrollBar::WScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent)
{
    setSingleStep(1);
    setPageStep(1);
    // A step is announced before the bar takes its new value; the value is settled first so
    // that a handler sees the bar where the step leaves it.
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
        const int code = Scroll_Code(action);
        if (code < 0) return;
        reporting_ = true;
        setValue(sliderPosition());
        reporting_ = false;
        Fire_Scroll(this, code);
    });
    // Any other change of value (the context menu's "Scroll here", a program setting it) is
    // announced as a thumb position, so the handler always sees where the bar is.
    connect(this, &QAbstractSlider::valueChanged, this, [this] {
        if (!reporting_) Fire_Scroll(this, 4);
    });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
        Fire_Scroll(this, 4);
        Fire_Scroll(this, 8);
    });
}

// ---- Buttons --------------------------------------------------------------------------------

WButton::WButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    connect(this, &QPushButton::clicked, this, [this] { Fire(this, QStringLiteral("ClickEvent")); });
}

QSize WButton::sizeHint() const
{
    constexpr int kPadding = 12; // each side
    const QSize hint = QPushButton::sizeHint();
    return hint.expandedTo(QSize(fontMetrics().horizontalAdvance(text()) + 2 * kPadding, hint.height()));
}

WCheckBox::WCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    connect(this, &QCheckBox::clicked, this, [this] { Fire(this, QStringLiteral("ClickEvent")); });
}

WComboBox::WComboBox(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, [this] { Fire(this, QStringLiteral("SelectEvent")); });
}

WListBox::WListBox(QWidget* parent) : QListView(parent), model_(new QStringListModel(this))
{
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
}

void WListBox::Set_Lines(const QStringList& lines) { model_->setStringList(lines); }
int WListBox::Count() const { return model_->rowCount(); }
QString WListBox::Line(int row) const { return model_->data(model_->index(row)).toString(); }
int WListBox::Current_Row() const { return currentIndex().isValid() ? currentIndex().row() : -1; }
void WListBox::Set_Current_Row(int row) { setCurrentIndex(model_->index(row)); }

void WListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    Fire_Mouse(this, Button_Event(event->button(), "LeftButtonDoubleEvent", "RightButtonDoubleEvent"), event);
}

WRadioButton::WRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent)
{
    connect(this, &QRadioButton::clicked, this, [this] { Fire(this, QStringLiteral("ClickEvent")); });
}

// ---- WStatusBar -----------------------------------------------------------------------------

WTextPane::WTextPane(QWidget* parent, bool sized_by_text) : QLabel(parent), sized_by_text_(sized_by_text)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void WTextPane::Set_Text(const QString& text)
{
    if (text == full_) return; // the pointer moves often within a cell
    full_ = text;
    full_width_ = -1; // measuring a text is dear, and the status line changes on every move
    Show_Fitted();
    if (sized_by_text_) updateGeometry();
}

QSize WTextPane::sizeHint() const
{
    if (!sized_by_text_) return minimumSizeHint();
    const int margins = contentsMargins().left() + contentsMargins().right() + 2 * margin() + 4;
    // Never more than two fifths of the bar: the other panes keep their room.
    const int most = parentWidget() ? std::max(minimumSizeHint().width(), parentWidget()->width() * 2 / 5) : INT_MAX;
    return QSize(std::min(Full_Width() + margins, most), QLabel::sizeHint().height());
}

int WTextPane::Full_Width() const
{
    if (full_width_ < 0) full_width_ = fontMetrics().horizontalAdvance(full_);
    return full_width_;
}

QSize WTextPane::minimumSizeHint() const
{
    // A few characters: a long text never widens the window it sits in.
    return QSize(fontMetrics().averageCharWidth() * 6, QLabel::minimumSizeHint().height());
}

void WTextPane::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Show_Fitted();
}

void WTextPane::Show_Fitted()
{
    const int room = contentsRect().width() - 2 * margin();
    // A text that fits even at the font's widest character needs no measuring.
    const bool fits = full_.size() * fontMetrics().maxWidth() <= room || Full_Width() <= room;
    const QString shown = fits
                              ? full_
                              : fontMetrics().elidedText(full_, Qt::ElideRight, std::max(room, 0));
    if (shown != text()) QLabel::setText(shown);
    const QString tip = shown == full_ ? QString() : full_;
    if (tip != toolTip()) setToolTip(tip);
}

WStatusBar::WStatusBar(int panes, QWidget* parent) : QStatusBar(parent)
{
    for (int i = 0; i < panes; ++i) {
        // The first pane takes the spare width; the others ask for their texts' widths.
        auto* pane = new WTextPane(this, i != 0);
        pane->setObjectName(QStringLiteral("pane%1").arg(i));
        if (i == 0) addWidget(pane, 1);
        else addPermanentWidget(pane);
        panes_.push_back(pane);
    }
}

void WStatusBar::Set_Text(int pane, const QString& text)
{
    if (pane < 0 || pane >= int(panes_.size())) return;
    panes_[std::size_t(pane)]->Set_Text(text);
}

QString WStatusBar::Text(int pane) const
{
    if (pane < 0 || pane >= int(panes_.size())) return QString();
    return panes_[std::size_t(pane)]->Text();
}

// ---- WDialog ----------------------------------------------------------------------------------

WDialog::WDialog(QWidget* owner, const QString& title)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    if (owner) setFont(owner->font());
}

int WDialog::Title_Width() const
{
    return winlib::Title_Width(this);
}

int Title_Width(const QWidget* window)
{
    // A title made of a very long file name is left to the window manager to shorten: a small
    // dialog as wide as the screen would help no one.
    constexpr int kWidest = 640;
    const int wanted = window->fontMetrics().horizontalAdvance(window->windowTitle()) + 130;
    return std::min(wanted, kWidest);
}

void Widen_For_Title(QWidget* dialog)
{
    QLayout* layout = dialog->layout();
    if (!layout) {
        dialog->setMinimumWidth(std::max(dialog->minimumWidth(), Title_Width(dialog)));
        return;
    }
    const QMargins margins = layout->contentsMargins();
    auto* spacer = new QSpacerItem(Title_Width(dialog) - margins.left() - margins.right(), 0, QSizePolicy::Fixed,
                                   QSizePolicy::Minimum);
    // Across every column of a grid, so that no one column takes the width alone.
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) grid->addItem(spacer, grid->rowCount(), 0, 1, grid->columnCount());
    else layout->addItem(spacer);
}

void WDialog::closeEvent(QCloseEvent* event)
{
    EventArgs args;
    Fire(this, QStringLiteral("CloseEvent"), args);
    if (!args.allow) {
        event->ignore();
        return;
    }
    // Not QDialog's own handler: it would reject(), which closes again from inside this close
    // and leaves the dialog open.
    event->accept();
}

// ---- WNumberDialog ----------------------------------------------------------------------------

WNumberDialog::WNumberDialog(QWidget* owner, const QString& title, const QString& label, int minimum,
                             int maximum, int value, int bar_width, int edit_width)
    : WDialog(owner, title)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(5, 5, 5, 5);
    grid->setSpacing(5);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    int row = 0;
    if (!label.isEmpty()) grid->addWidget(new QLabel(label, this), row++, 0, 1, 2);
    bar = new QScrollBar(Qt::Horizontal, this);
    bar->setRange(minimum, maximum);
    bar->setValue(value);
    bar->setFixedWidth(bar_width);
    edit = new QLineEdit(this);
    edit->setFixedWidth(edit_width);
    Pair_Scroll_And_Edit(bar, edit);
    grid->addWidget(bar, row, 0);
    grid->addWidget(edit, row++, 1);
    auto* buttons = new QHBoxLayout;
    ok = new WButton(Text::tr(" OK "), this);
    cancel = new WButton(Text::tr("CANCEL"), this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, row, 0, 1, 2);
    // Wide enough for the title beside the window frame's buttons.
    grid->setColumnMinimumWidth(0, std::max(bar_width, Title_Width() - edit_width));
}

// ---- Scroll bar paired with an edit box -----------------------------------------------------

QScrollBar* Add_Scroll_Row(QGridLayout* grid, int row, const QString& text, const ScrollRow& shape,
                           QWidget* parent)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setRange(shape.minimum, shape.maximum);
    bar->setSingleStep(1);
    bar->setPageStep(shape.page_step);
    bar->setValue(shape.value);
    bar->setFixedSize(100, 20);
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(shape.digits);
    edit->setFixedSize(50, shape.edit_height);
    Pair_Scroll_And_Edit(bar, edit);
    grid->addWidget(new QLabel(text, parent), row, 0);
    grid->addWidget(bar, row, 1);
    grid->addWidget(edit, row, 2);
    return bar;
}


void Pair_Scroll_And_Edit(QScrollBar* bar, QLineEdit* edit)
{
    if (!bar || !edit) return;
    static const QRegularExpression digits(QStringLiteral("[0-9]*"));
    edit->setValidator(new QRegularExpressionValidator(digits, edit));
    edit->setText(QString::number(bar->value()));

    // While a typed value moves the bar, the box keeps what was typed.
    auto typing = std::make_shared<bool>(false);
    QObject::connect(bar, &QAbstractSlider::valueChanged, edit, [edit, typing](int value) {
        if (!*typing) edit->setText(QString::number(value));
    });
    const QPointer<QScrollBar> guarded(bar);
    auto in_range = [guarded](const QString& text, int& value) {
        bool ok = false;
        const long number = text.toLong(&ok);
        if (!ok || number < guarded->minimum() || number > guarded->maximum()) return false;
        value = int(number);
        return true;
    };
    QObject::connect(edit, &QLineEdit::textEdited, bar, [guarded, edit, typing, in_range](const QString& text) {
        int value = 0;
        if (!in_range(text, value)) {
            // Out of range, or emptied: the bar's position at once.
            edit->setText(QString::number(guarded->value()));
            return;
        }
        *typing = true;
        guarded->setValue(value);
        *typing = false;
    });
    QObject::connect(edit, &QLineEdit::editingFinished, bar, [guarded, edit, in_range] {
        int value = 0;
        if (!in_range(edit->text(), value)) edit->setText(QString::number(guarded->value()));
    });
}

} // namespace zol::winlib
