// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/filechoice.h"

#include "tests/app/gui_fixture.h"

#include <QFileDialog>
#include <QTemporaryDir>

using namespace kelmot;
using namespace kelmot::test;

TEST(FileChoice, TheFileTheDialogAcceptedEvenWhenItNamesAnotherAfterwards) {
    QTemporaryDir dir;
    for (const char* name : {"erste.kmd", "zweite.kmd"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFileDialog dialog;
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // After it closed, the dialog names another file (as when it restores
    // its last selection while still reading its folder).
    QObject::connect(&dialog, &QDialog::accepted, &dialog,
                     [&] { dialog.selectFile(dir.filePath("erste.kmd")); });
    std::optional<QString> chosen;
    answeringModals([&] { chosen = chooseFileIn(dialog); }, chooseFile(dir.filePath("zweite.kmd")));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, QFileInfo(dir.filePath("zweite.kmd")).absoluteFilePath());
    EXPECT_EQ(dialog.selectedFiles(),
              QStringList{QFileInfo(dir.filePath("erste.kmd")).absoluteFilePath()});

    answeringModals([&] { chosen = chooseFileIn(dialog); }, chooseFile(QString()));
    EXPECT_FALSE(chosen); // cancelled
}
