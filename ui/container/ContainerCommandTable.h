#pragma once

#include "CommandAvailability.h"
#include "app/ContainerCommands.h"

#include <QKeySequence>

#include <span>
#include <string_view>

class TContainerForm;
struct TMessage;

// A command of a container window. Its QAction is named FName + "Action" and shows FCaption in
// the menus; a button (where a group shows one) is named FName + "Button", shares the action and
// shows FButtonCaption (or FCaption) with FHint as its tooltip. It runs a flow of the application
// or, without one, an action of the window's own. Unavailable, its menu items are disabled and
// its button hidden.
struct TWindowCommand
{
    const char* FName;
    const TMessage* FCaption;
    TCommandRule FAvailable = Available::Always;
    TWindowFlow FFlow = nullptr;
    void (*FAction)(TContainerForm& window) = nullptr;
    const char* FIcon = nullptr;
    const TMessage* FButtonCaption = nullptr;
    const TMessage* FHint = nullptr;
    // Only named in the menu: the editor handles the key itself.
    QKeySequence::StandardKey FShortcut = QKeySequence::UnknownKey;
    bool FCheckable = false;
};

// A menu of the menu bar: its name, its title and its commands' names in order (see
// TContainerCommandTable).
struct TCommandMenu
{
    const char* FName;
    const TMessage* FTitle;
    const char* FItems;
};

// The container window's commands and where it shows them. The window builds its menus, popups
// and buttons from these, and relabels and enables them in one loop each.
struct TContainerCommandTable
{
    static std::span<const TWindowCommand> Commands();
    // The command's index in Commands(); a name not in it is a fault of the layouts.
    static int IndexOf(std::string_view name);

    // Where the commands appear, each place with its commands' names in order: "|" separates in
    // a menu and stretches a row of buttons; in a menu "Languages" stands for the language items
    // and "LanguageMenu" for a submenu of them.
    static std::span<const TCommandMenu> MenuBar();
    static const char* const WindowPopup;
    static const char* const EditorPopup;
    static const char* const AttachmentPopup;
    static const char* const TextButtons;
    static const char* const AttachmentButtons;
    static const char* const ContainerButtons;
};
