// The property objects of the OpenGL control: the pixel-format request and the transformation
// that mouse drags can drive. Portable; the control itself is in _TOpenGL.h.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "framework/Objects.h"

enum class TPFFlag : uint8_t {
    pffDrawToWindow,
    pffDrawToBMP,
    pffSupportGDI,
    pffSupportOpenGL,
    pffGenericAccelerated,
    pffGenericFormat,
    pffNeedPalette,
    pffNeedSystemPalette,
    pffDoubleBuffer,
    pffStereo,
    pffSwapLayerBuffers,
};

// A set of TPFFlag, one bit per flag in declaration order.
class TPFFlags {
public:
    constexpr TPFFlags() = default;
    constexpr TPFFlags(std::initializer_list<TPFFlag> Flags)
    {
        for (TPFFlag f : Flags)
            bits_ |= Bit(f);
    }
    constexpr bool Contains(TPFFlag F) const { return (bits_ & Bit(F)) != 0; }
    constexpr void Include(TPFFlag F) { bits_ |= Bit(F); }
    constexpr void Exclude(TPFFlag F) { bits_ &= static_cast<uint16_t>(~Bit(F)); }
    friend constexpr bool operator==(TPFFlags, TPFFlags) = default;

    // The pixel-format descriptor flags the set stands for.
    uint32_t DescriptorFlags() const;

private:
    static constexpr uint16_t Bit(TPFFlag F) { return static_cast<uint16_t>(1u << static_cast<unsigned>(F)); }
    uint16_t bits_ = 0;
};

enum class TPFPixelType : uint8_t { pfTypeRGBA = 0, pfTypeColorIndex = 1 };

class TOGPixelFormat : public TPersistent {
public:
    const char* ClassName() const override { return "TOGPixelFormat"; }
    void Assign(const TPersistent* Source) override;

    TPFFlags Flags() const { return flags_; }
    // A double-buffered format cannot also support GDI drawing: pffSupportGDI is dropped then.
    void SetFlags(TPFFlags Value);

    TPFPixelType PixelType = TPFPixelType::pfTypeRGBA;
    // Each must fit in a byte when the context is built.
    int32_t ColorBits = 16;
    int32_t AlphaBits = 0;
    int32_t AccumBits = 0;
    int32_t DepthBits = 16;
    int32_t StencilBits = 0;
    int32_t AuxBuffers = 0;

private:
    TPFFlags flags_;
};

enum class TTransformationType : uint8_t { tfNone, tfSelect, tfRotate, tfMove, tfScale };

class TTransformation : public TPersistent {
public:
    TTransformation() { Reset(); }
    const char* ClassName() const override { return "TTransformation"; }
    void Assign(const TPersistent* Source) override;

    bool Automatic = false;
    TTransformationType Mode = TTransformationType::tfNone;

    float RotationX = 0, RotationY = 0, RotationZ = 0;
    uint8_t RotateXEnabled = 0, RotateYEnabled = 0, RotateZEnabled = 0;
    float ScaleX = 1, ScaleY = 1, ScaleZ = 1;
    uint8_t ScaleXEnabled = 0, ScaleYEnabled = 0, ScaleZEnabled = 0;
    float TranslationX = 0, TranslationY = 0, TranslationZ = 0;
    uint8_t MoveXEnabled = 0, MoveYEnabled = 0, MoveZEnabled = 0;

    // Rotations 0, scales 1, translations 0; the enable bytes stay.
    void Reset();
    // Each add to their enabled axes.
    void Rotate(float X, float Y, float Z);
    void Move(float X, float Y, float Z);
    // For each enabled axis a factor > 0 multiplies, a factor < 0 divides by its magnitude, 0
    // leaves the axis.
    void Scale(float X, float Y, float Z);

    // A drag of the left button from (LastX, LastY) to (X, Y) in the current mode (only when
    // Automatic and a mode is set): rotate or move by the distance, or halve the scale when
    // the drag went up-left (X + Y not above LastX + LastY) and double it otherwise.
    void Drag(int LastX, int LastY, int X, int Y);
};
