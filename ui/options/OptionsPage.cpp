#include "OptionsPage.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QVBoxLayout>

QGroupBox* TOptionsPage::MakeGroup(QWidget* parent, const char* name)
{
    auto* group = Make<QGroupBox>(parent, name);
    new QVBoxLayout(group);
    return group;
}

QCheckBox* TOptionsPage::AddCheckBox(QGroupBox* group, const char* name)
{
    auto* box = Make<QCheckBox>(group, name);
    group->layout()->addWidget(box);
    return box;
}

QString TOptionsPage::AskFolder(const QString& caption, const QString& startFolder)
{
    return FFolderChooser ? FFolderChooser(window(), startFolder)
                          : QFileDialog::getExistingDirectory(window(), caption, startFolder);
}
