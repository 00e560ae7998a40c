// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/filechoice.h"

#include <QFileDialog>

namespace kelmot {

std::optional<QString> chooseFileIn(QFileDialog& dialog) {
    QStringList accepted;
    const auto connection =
        QObject::connect(&dialog, &QFileDialog::filesSelected, &dialog,
                         [&accepted](const QStringList& files) { accepted = files; });
    const int result = dialog.exec();
    QObject::disconnect(connection);
    if (result != QDialog::Accepted || accepted.isEmpty() || accepted.front().isEmpty())
        return std::nullopt;
    return accepted.front();
}

QFileDialog& fileDialogMadeOnce(QFileDialog*& dialog, QWidget* parent, const char* name,
                                FileUse use) {
    if (dialog) return *dialog;
    dialog = new QFileDialog(parent);
    dialog->setObjectName(QString::fromLatin1(name));
    if (use == FileUse::Open) {
        dialog->setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setOption(QFileDialog::DontConfirmOverwrite, use == FileUse::SaveCallerAsks);
    }
    return *dialog;
}

} // namespace kelmot
