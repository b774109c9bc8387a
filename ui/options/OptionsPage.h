#pragma once

#include <QWidget>

#include <functional>
#include <utility>

class QCheckBox;
class QGroupBox;
class TSettings;

// One page of the options dialog: it fills its controls from the settings, copies them back by
// its rules and takes its captions in the current language.
class TOptionsPage : public QWidget
{
public:
    // A folder choice: the start folder in, the chosen folder out (empty when cancelled).
    using TFolderChooser = std::function<QString(QWidget* owner, const QString& startFolder)>;

    using QWidget::QWidget;

    virtual void Load(const TSettings& settings) = 0;
    virtual void Save(TSettings& settings) const = 0;
    virtual void Relabel() = 0;

    // Tests choose folders without the system's dialog.
    void SetFolderChooser(TFolderChooser chooser) { FFolderChooser = std::move(chooser); }

protected:
    // A control of the page with its object name.
    template <typename TControl> static TControl* Make(QWidget* parent, const char* name)
    {
        auto* control = new TControl(parent);
        control->setObjectName(QLatin1String(name));
        return control;
    }
    // A group whose controls stand one below the other.
    static QGroupBox* MakeGroup(QWidget* parent, const char* name);
    // A check box at the end of such a group.
    static QCheckBox* AddCheckBox(QGroupBox* group, const char* name);
    // The folder the user chooses in the system's folder dialog (or the tests' chooser), starting
    // at startFolder; empty when cancelled.
    QString AskFolder(const QString& caption, const QString& startFolder);

private:
    TFolderChooser FFolderChooser;
};
