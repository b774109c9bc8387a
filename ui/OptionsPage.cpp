#include "OptionsPage.h"

#include <QCheckBox>
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
