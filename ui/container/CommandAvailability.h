#pragma once

// What a container window's commands depend on: the container and the text and attachments the
// window shows. The window gathers it whenever one of them changes.
struct TCommandState
{
    bool FWritable = false;
    bool FTextEmpty = true;
    bool FTextSelected = false;
    bool FUndoAvailable = false;
    bool FHasAttachments = false;
    bool FAttachmentsSelected = false;
    // Composed here (or one of this user's own unflagged): sent, not answered.
    bool FCompose = false;
};

// When a command is available: its menu items are enabled and its button shown.
using TCommandRule = bool (*)(const TCommandState& state);

namespace Available {

inline bool Always(const TCommandState&)
{
    return true;
}

inline bool Writable(const TCommandState& state)
{
    return state.FWritable;
}

inline bool Undo(const TCommandState& state)
{
    return state.FWritable && state.FUndoAvailable;
}

inline bool Text(const TCommandState& state)
{
    return !state.FTextEmpty;
}

inline bool TextSelected(const TCommandState& state)
{
    return Text(state) && state.FTextSelected;
}

inline bool WritableTextSelected(const TCommandState& state)
{
    return TextSelected(state) && state.FWritable;
}

inline bool Attachments(const TCommandState& state)
{
    return state.FHasAttachments;
}

inline bool AttachmentsSelected(const TCommandState& state)
{
    return state.FAttachmentsSelected;
}

inline bool WritableAttachmentsSelected(const TCommandState& state)
{
    return state.FAttachmentsSelected && state.FWritable;
}

// Text or attachments: something to save or to extract.
inline bool Content(const TCommandState& state)
{
    return Text(state) || Attachments(state);
}

inline bool Send(const TCommandState& state)
{
    return state.FCompose && Content(state);
}

inline bool ReplyMode(const TCommandState& state)
{
    return !state.FCompose;
}

} // namespace Available
