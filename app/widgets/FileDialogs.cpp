#include "widgets/FileDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <memory>

namespace velmora::ui {

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
    // Qt's own dialog draws the same with or without a desktop's file chooser or window
    // manager; the system one is used where it is always there.
#ifndef Q_OS_WIN
    dialog->setOption(QFileDialog::DontUseNativeDialog);
#endif
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
