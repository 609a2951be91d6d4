#pragma once

// Told by the about box that it was clicked and should be closed.
class AboutComponentListener
{
public:
    virtual ~AboutComponentListener() {}

    virtual void aboutClosed() = 0;
};
