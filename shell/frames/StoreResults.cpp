#include "shell/frames/StoreResults.h"

#include "platform/Messages.h"

bool ShowStoreResult(const TStoreResult& result)
{
    if (!result.Text.isEmpty())
        Messages().ShowMessage(result.Text);
    return result.Ok();
}
