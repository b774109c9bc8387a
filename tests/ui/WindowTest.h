#pragma once

#include "app/Sandbox.h"
#include "app/TemporaryFiles.h"
#include "language/LangWatchable.h"
#include "settings/Settings.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

// The set-up every window test shares: a scratch home for the user's files, settings that are
// never written back on their own, English.
class WindowTest : public ::testing::Test
{
protected:
    WindowTest()
    {
        LanguageHolder().SetLanguage(LangEnglish);
        FSettings.ActiveLanguage = LangEnglish;
    }

    // No web browser and no opener anywhere.
    void RemoveWebBrowsers()
    {
        FSandbox.SetVariable("PATH", FSandbox.TemporaryFolder());
        FSandbox.SetVariable("BROWSER", std::nullopt);
        FSandbox.SetVariable("DEFAULT_BROWSER", std::nullopt);
    }

    Sandbox FSandbox;
    TSettings FSettings{[](const std::string&, const std::string&) {}};
    TTemporaryFiles FTemporaryFiles;
};

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

// The caption of a button or the text of a label.
inline QString TextOf(QWidget& window, const char* name)
{
    if (auto* button = window.findChild<QAbstractButton*>(name)) {
        return button->text();
    }
    return window.findChild<QLabel*>(name)->text();
}

// Once the next window named objectName shows: hands it to act, which has to close it.
inline void OnNextWindow(const char* objectName, std::function<void(QWidget&)> act)
{
    QTimer::singleShot(0, [objectName, act = std::move(act)] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String(objectName) && window->isVisible()) {
                act(*window);
                return;
            }
        }
        ADD_FAILURE() << "no window " << objectName;
    });
}

// The next program message box as "caption: text", answered with OK.
inline void RecordNextMessageBox(std::string& shown)
{
    OnNextWindow("fMsgBox", [&shown](QWidget& box) {
        shown = (box.windowTitle() + QStringLiteral(": ") + TextOf(box, "MessageText")).toStdString();
        box.findChild<QPushButton*>("OkButton")->click();
    });
}
