#include "widgets/FileDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHeaderView>
#include <QTreeView>
#include <memory>

namespace velmora::ui {

namespace {
// The window's look: dark panels, white text, the accent for the chosen and the focused.
const QString kFileDialogStyle = QStringLiteral(
    "QFileDialog{background:#262626}"
    "QFileDialog QWidget{color:white;font-family:Roboto;font-size:14px}"
    "QFileDialog QLabel{background:transparent}"
    "QLineEdit,QComboBox{background:#141414;border:1px solid #4a4a4a;border-radius:4px;"
    "padding:3px 6px;min-height:22px}"
    "QLineEdit:focus,QComboBox:focus{border-color:#00a77f}"
    "QComboBox QAbstractItemView{background:#141414;selection-background-color:#00a77f}"
    "QTreeView,QListView{background:#141414;border:1px solid #3a3a3a;"
    "selection-background-color:#00a77f;selection-color:white;outline:0}"
    "QHeaderView::section{background:#1f1f1f;color:#b8b8b8;border:0;"
    "border-bottom:1px solid #3a3a3a;padding:4px 6px}"
    "QPushButton{background:#4a4a4a;border:0;border-radius:3px;padding:6px 14px;"
    "min-width:80px}"
    "QPushButton:default{background:#00a77f}"
    "QPushButton:hover{background:#5a5a5a}QPushButton:default:hover{background:#00b98d}"
    "QPushButton:focus{border:2px solid #00d8a0}"
    "QToolButton{background:transparent;border:0;border-radius:3px;padding:2px}"
    "QToolButton:hover{background:#3a3a3a}"
    "QScrollBar:vertical{background:#1c1c1c;width:12px;margin:0}"
    "QScrollBar::handle:vertical{background:#6a6a6a;min-height:30px;border-radius:4px;"
    "margin:2px}"
    "QScrollBar:horizontal{background:#1c1c1c;height:12px;margin:0}"
    "QScrollBar::handle:horizontal{background:#6a6a6a;min-width:30px;border-radius:4px;"
    "margin:2px}"
    "QScrollBar::add-line,QScrollBar::sub-line{width:0;height:0}");

// The detail list's date column as wide as its dates: Qt's width cut them off.
void fitDateColumn(QFileDialog* dialog) {
    auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!details) return;
    QHeaderView* header = details->header();
    constexpr int kDateColumn = 3;
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(kDateColumn, QHeaderView::ResizeToContents);
}
}  // namespace

QWidget* topLevelWindowOf(QWidget* control) {
    QWidget* window = control ? control->window() : nullptr;
    // A widget inside a scene is a window there; the view showing the scene is the way out.
    while (window && window->graphicsProxyWidget()) {
        QGraphicsScene* scene = window->graphicsProxyWidget()->scene();
        if (!scene || scene->views().isEmpty()) break;
        window = scene->views().constFirst()->window();
    }
    return window;
}

QFileDialog* makeSaveFileDialog(QWidget* from, const QString& suggested, const QString& filter) {
    auto* dialog = new QFileDialog(topLevelWindowOf(from),
                                   QCoreApplication::translate("FileDialogs", "Simpan sebagai"),
                                   suggested, filter);

    dialog->setObjectName(QStringLiteral("SaveFileDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setWindowModality(Qt::ApplicationModal);
    // Qt's own dialog on every system: it speaks the window's language (the system's chooser
    // speaks the system's) and wears the window's look.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setStyleSheet(kFileDialogStyle);
    fitDateColumn(dialog);
    const QString suffix = filter.section(QStringLiteral("*."), 1).section(QLatin1Char(')'), 0, 0);
    if (!suffix.isEmpty()) dialog->setDefaultSuffix(suffix);
    return dialog;
}

QString askSaveFileName(QWidget* from, const QString& suggested, const QString& filter) {
    std::unique_ptr<QFileDialog> dialog(makeSaveFileDialog(from, suggested, filter));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return dialog->selectedFiles().constFirst();
}

}  // namespace velmora::ui
