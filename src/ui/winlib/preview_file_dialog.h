#pragma once
// An open-file dialog for bitmaps that shows the file under the cursor beside its list.

#include <QFileDialog>

class QLabel;

namespace zol::winlib {

class PreviewFileDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit PreviewFileDialog(QWidget* parent = nullptr, const QString& caption = QString(),
                               const QString& directory = QString(), const QString& filter = QString());
    // Loads path as a bitmap into the preview, scaled down to fit; clears it when unreadable.
    void Show_Preview(const QString& path);
    // What the preview shows now (null when nothing).
    QPixmap Preview() const;
    QLabel* Preview_Label() const { return preview_; }

private:
    QLabel* caption_;
    QLabel* preview_;
};

} // namespace zol::winlib
