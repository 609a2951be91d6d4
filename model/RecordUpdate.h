#pragma once

class Model;
class ModelListener;
class ModelOwner;

// The change rule that the three kinds of record share. A setter that really changes a value tells
// the model's owner and then the record's listener at once; between beginUpdate and endUpdate it only
// marks the record changed, and endUpdate tells both once. Each record keeps its own updating and
// changed flags and says how it is to be told about.
namespace RecordUpdate
{
template <typename Value, typename Notify>
void store(Value& field, Value value, bool updating, bool& changed, Notify&& notify)
{
    if (field == value)
        return;

    field = value;

    if (updating)
        changed = true;
    else
        notify();
}

template <typename Notify> void end(bool& updating, bool& changed, Notify&& notify)
{
    // Cleared first, so that a setter called from within the notification notifies at once.
    updating = false;

    if (changed)
    {
        notify();
        changed = false;
    }
}

// The owner through the call for the record's kind, then the listener; either may be missing.
void notify(const Model* model, void (ModelOwner::*ownerCall)(int index), int index, ModelListener* listener);
} // namespace RecordUpdate
