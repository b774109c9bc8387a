#pragma once

#include "language/FormatText.h"
#include "language/Message.h"
#include "language/MsgText.h"

#include <QString>

// A message of the table in the current language, as the windows show it.
inline QString UiText(const TMessage& message)
{
    return QString::fromStdString(MsgText(message));
}

// The same with its placeholders filled.
inline QString UiText(const TMessage& message, std::initializer_list<TFormatArg> args)
{
    return QString::fromStdString(FormatText(MsgText(message), args));
}
