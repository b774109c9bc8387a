#include "ContainerError.h"

#include "language/Messages.h"
#include "language/MsgText.h"

void ThrowContainerError(const TMessage& message, std::initializer_list<TFormatArg> args)
{
    throw EContainerError(FormatText(MsgText(message), args));
}

void ThrowCancelled()
{
    throw ECancelled(MsgText(msg::Cancelled));
}
