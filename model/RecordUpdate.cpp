#include "model/RecordUpdate.h"

#include "model/Model.h"
#include "model/ModelListener.h"
#include "model/ModelOwner.h"

namespace RecordUpdate
{
void notify(const Model* model, void (ModelOwner::*ownerCall)(int index), int index, ModelListener* listener)
{
    if (model != nullptr && model->getOwner() != nullptr)
        (model->getOwner()->*ownerCall)(index);

    if (listener != nullptr)
        listener->modelChanged();
}
} // namespace RecordUpdate
