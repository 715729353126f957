#pragma once

#include <QImage>

#include "widgets/SlideInDialog.h"

class QLabel;
class QScrollArea;

namespace velmora {

// The receipt of the simulated printer (LayoutStruk): the paper as printed, where its
// picture was saved, a button to open that folder and one to close.
class ReceiptPreview : public ui::SlideInDialog {
    Q_OBJECT
public:
    explicit ReceiptPreview(QWidget* window);

    // Shows the paper and slides in; savedPath empty means saving failed with saveError.
    void showReceipt(const QImage& paper, const QString& savedPath, const QString& saveError);
    const QString& savedPath() const { return m_savedPath; }

    QLabel* LStrukTitle;
    QScrollArea* StrukPaper;
    QLabel* LStrukPaper;
    QLabel* LStrukPath;
    ui::TextButton* RStrukFolder;
    ui::TextButton* RStrukClose;

private:
    QString m_savedPath;
};

}  // namespace velmora
