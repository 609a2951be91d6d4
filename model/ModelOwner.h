#pragma once

// The one party that hears of every change to the model: told the kind and index of the record that
// changed, it reads the new values back through the model.
class ModelOwner
{
public:
    virtual ~ModelOwner() = default;

    virtual void analogChanged(int index) = 0;
    virtual void digitalChanged(int index) = 0;
    virtual void ledChanged(int index) = 0;
};
