#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>

#include "widgets/SlideInDialog.h"

class QLabel;

namespace velmora {

// A tall picture in a fixed frame, scrolled up and down. It paints only the visible
// part itself, so the picture never spills over its frame in the scaled window.
class PaperView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PaperView(QWidget* parent);
    void setPaper(const QImage& paper);
    const QImage& paper() const { return m_paper; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void scrollContentsBy(int, int) override;

private:
    void updateRange();
    QImage m_paper;
};

// The receipt of the simulated printer (LayoutStruk): the paper as printed, where its
// picture was saved, a button to open that folder and one to close.
class ReceiptPreview : public ui::SlideInDialog {
    Q_OBJECT
public:
    explicit ReceiptPreview(QWidget* window);

    // Shows the paper and slides in; savedPath empty means saving failed with saveError.
    void showReceipt(const QImage& paper, const QString& savedPath, const QString& saveError);
    const QString& savedPath() const { return m_savedPath; }
    // Opens a folder in the desktop's file manager; false when none could. Tests replace it.
    using FolderOpener = std::function<bool(const QString& folder)>;
    void setFolderOpener(FolderOpener open) { m_openFolder = std::move(open); }

    QLabel* LStrukTitle;
    PaperView* StrukPaper;
    QLabel* LStrukPath;
    ui::TextButton* RStrukFolder;
    ui::TextButton* RStrukClose;

private:
    void openFolder();

    QString m_savedPath;
    FolderOpener m_openFolder;
};

}  // namespace velmora
