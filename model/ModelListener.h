#pragma once

// Attached to a single record (by the settings editor that shows it), so it needs no more than the
// news that the record changed.
class ModelListener
{
public:
    virtual ~ModelListener() = default;

    virtual void modelChanged() = 0;
};
