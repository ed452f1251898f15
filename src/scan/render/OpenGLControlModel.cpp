#include "scan/render/OpenGLControlModel.h"

#include "framework/Exceptions.h"

uint32_t TPFFlags::DescriptorFlags() const
{
    // In declaration order of TPFFlag.
    static constexpr uint32_t map[] = {0x4, 0x8, 0x10, 0x20, 0x1000, 0x40, 0x80, 0x100, 0x1, 0x2, 0x800};
    uint32_t result = 0;
    for (unsigned i = 0; i < sizeof(map) / sizeof(map[0]); ++i)
        if (Contains(static_cast<TPFFlag>(i)))
            result |= map[i];
    return result;
}

void TOGPixelFormat::SetFlags(TPFFlags Value)
{
    if (Value.Contains(TPFFlag::pffDoubleBuffer))
        Value.Exclude(TPFFlag::pffSupportGDI);
    flags_ = Value;
}

void TOGPixelFormat::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TOGPixelFormat*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    flags_ = src->flags_;
    PixelType = src->PixelType;
    ColorBits = src->ColorBits;
    AlphaBits = src->AlphaBits;
    AccumBits = src->AccumBits;
    DepthBits = src->DepthBits;
    StencilBits = src->StencilBits;
    AuxBuffers = src->AuxBuffers;
}

void TTransformation::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TTransformation*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    Automatic = src->Automatic;
    Mode = src->Mode;
    RotationX = src->RotationX, RotationY = src->RotationY, RotationZ = src->RotationZ;
    RotateXEnabled = src->RotateXEnabled, RotateYEnabled = src->RotateYEnabled, RotateZEnabled = src->RotateZEnabled;
    ScaleX = src->ScaleX, ScaleY = src->ScaleY, ScaleZ = src->ScaleZ;
    ScaleXEnabled = src->ScaleXEnabled, ScaleYEnabled = src->ScaleYEnabled, ScaleZEnabled = src->ScaleZEnabled;
    TranslationX = src->TranslationX, TranslationY = src->TranslationY, TranslationZ = src->TranslationZ;
    MoveXEnabled = src->MoveXEnabled, MoveYEnabled = src->MoveYEnabled, MoveZEnabled = src->MoveZEnabled;
}

void TTransformation::Reset()
{
    RotationX = RotationY = RotationZ = 0.0f;
    ScaleX = ScaleY = ScaleZ = 1.0f;
    TranslationX = TranslationY = TranslationZ = 0.0f;
}

void TTransformation::Rotate(float X, float Y, float Z)
{
    if (RotateXEnabled) RotationX += X;
    if (RotateYEnabled) RotationY += Y;
    if (RotateZEnabled) RotationZ += Z;
}

void TTransformation::Move(float X, float Y, float Z)
{
    if (MoveXEnabled) TranslationX += X;
    if (MoveYEnabled) TranslationY += Y;
    if (MoveZEnabled) TranslationZ += Z;
}

void TTransformation::Scale(float X, float Y, float Z)
{
    auto apply = [](float& Axis, uint8_t Enabled, float Factor) {
        if (!Enabled || Factor == 0.0f)
            return;
        if (Factor > 0.0f)
            Axis *= Factor;
        else
            Axis /= -Factor;
    };
    apply(ScaleX, ScaleXEnabled, X);
    apply(ScaleY, ScaleYEnabled, Y);
    apply(ScaleZ, ScaleZEnabled, Z);
}

void TTransformation::Drag(int LastX, int LastY, int X, int Y)
{
    if (!Automatic || Mode == TTransformationType::tfNone)
        return;
    const float dx = static_cast<float>(X - LastX);
    const float dy = static_cast<float>(Y - LastY);
    switch (Mode) {
    case TTransformationType::tfRotate: Rotate(dx, dy, 0.0f); break;
    case TTransformationType::tfMove: Move(dx, dy, 0.0f); break;
    case TTransformationType::tfScale:
        if (X + Y <= LastX + LastY)
            Scale(-2.0f, -2.0f, -2.0f);
        else
            Scale(2.0f, 2.0f, 2.0f);
        break;
    default: break;
    }
}
