#include "ui/winlib/preview_file_dialog.h"
#include "core/messages/texts.h"

#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

namespace zol::winlib {

namespace {
// Dialog units of the dialog's font: a quarter of the average character width across, an eighth
// of the font's height down.
int Units_Across(const QFontMetrics& metrics, int units)
{
    return int(std::lround(units * metrics.averageCharWidth() / 4.0));
}
int Units_Down(const QFontMetrics& metrics, int units)
{
    return int(std::lround(units * metrics.height() / 8.0));
}
} // namespace

PreviewFileDialog::PreviewFileDialog(QWidget* parent, const QString& caption, const QString& directory,
                                     const QString& filter)
    : QFileDialog(parent, caption, directory, filter)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);

    const QFontMetrics metrics(font());
    auto* column = new QWidget(this);
    auto* stack = new QVBoxLayout(column);
    stack->setContentsMargins(0, 0, 0, 0);
    caption_ = new QLabel(Text::tr("Preview:"), column);
    preview_ = new QLabel(column);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setFixedSize(Units_Across(metrics, 68), Units_Down(metrics, 85));
    preview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    preview_->setFrameShape(QFrame::StyledPanel);
    stack->addWidget(caption_);
    stack->addWidget(preview_);
    stack->addStretch(1);

    // The non-native dialog lays itself out on a grid: the preview takes a new column at the right.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(column, 0, grid->columnCount(), grid->rowCount(), 1);
    else if (layout())
        layout()->addWidget(column);

    connect(this, &QFileDialog::currentChanged, this, &PreviewFileDialog::Show_Preview);
}

void PreviewFileDialog::Show_Preview(const QString& path)
{
    const QImage image = path.isEmpty() ? QImage() : QImage(path);
    if (image.isNull()) {
        preview_->clear();
        return;
    }
    const QSize room = preview_->contentsRect().size();
    const QImage fitted = image.width() > room.width() || image.height() > room.height()
                              ? image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                              : image;
    preview_->setPixmap(QPixmap::fromImage(fitted));
}

QPixmap PreviewFileDialog::Preview() const
{
    return preview_->pixmap();
}

} // namespace zol::winlib

// The form classes' meta-object code lives with them, apart from the other windows'.
#include "moc_preview_file_dialog.cpp"
