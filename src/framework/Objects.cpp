#include "framework/Objects.h"

#include "framework/Exceptions.h"
#include "framework/StrConv.h"

void TPersistent::Assign(const TPersistent* Source)
{
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError(u"Cannot assign a nil to a " + Utf8ToWide(ClassName()));
}

void TPersistent::AssignTo(TPersistent* Dest) const
{
    throw EConvertError(u"Cannot assign a " + Utf8ToWide(ClassName()) + u" to a " + Utf8ToWide(Dest->ClassName()));
}
