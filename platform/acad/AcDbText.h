// Texts, and the attributes of blocks that are texts with a tag.
#pragma once

#include "AcDbEntity.h"

class AcDbText : public AcDbEntity {
    VPLAT_DB_CLASS(AcDbText)
public:
    AcDbText();
    AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style = AcDbObjectId::kNull,
             double height = 0, double rotation = 0);
    const wchar_t* dxfName() const override { return L"TEXT"; }
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
    AcGePoint3d alignmentPoint() const;
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& p);
    // A copy the caller frees with acutDelString.
    ACHAR* textString() const;
    const ACHAR* textStringConst() const;
    Acad::ErrorStatus setTextString(const ACHAR* text);
    double height() const;
    Acad::ErrorStatus setHeight(double h);
    double rotation() const;
    Acad::ErrorStatus setRotation(double r);
    int horizontalMode() const;
    Acad::ErrorStatus setHorizontalMode(int mode);
    int verticalMode() const;
    Acad::ErrorStatus setVerticalMode(int mode);
    // Styles are ids; files still write "Standard".
    AcDbObjectId textStyle() const { return m_style; }
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    double widthFactor() const;
    Acad::ErrorStatus setWidthFactor(double factor);
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

protected:
    // The code of the vertical justification: 73 in a text, 74 in attributes.
    virtual int verticalCode() const { return 73; }
    // Bit 1 of group 70 hides an attribute (attributes and definitions).
    bool invisibleFlag() const;
    Acad::ErrorStatus setInvisibleFlag(bool invisible);
    // Group 73 of attributes and definitions.
    Acad::ErrorStatus setFieldLengthTag(Adesk::UInt16 length);

private:
    AcDbObjectId m_style;
};

class AcDbAttributeDefinition;

class AcDbAttribute : public AcDbText {
    VPLAT_DB_CLASS(AcDbAttribute)
public:
    AcDbAttribute();
    AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                  AcDbObjectId style = AcDbObjectId::kNull);
    const wchar_t* dxfName() const override { return L"ATTRIB"; }
    ACHAR* tag() const;
    const ACHAR* tagConst() const;
    Acad::ErrorStatus setTag(const ACHAR* tag);
    bool isInvisible() const { return invisibleFlag(); }
    Acad::ErrorStatus setInvisible(bool invisible) { return setInvisibleFlag(invisible); }
    Adesk::UInt16 fieldLength() const;
    Acad::ErrorStatus setFieldLength(Adesk::UInt16 length) { return setFieldLengthTag(length); }
    // Takes the definition's tag, text, height, justification and layer, with
    // its position and rotation moved by the reference's transform.
    Acad::ErrorStatus setAttributeFromBlock(const AcDbAttributeDefinition* def, const AcGeMatrix3d& blockTransform);

protected:
    int verticalCode() const override { return 74; }
};

class AcDbAttributeDefinition : public AcDbText {
    VPLAT_DB_CLASS(AcDbAttributeDefinition)
public:
    AcDbAttributeDefinition();
    AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag, const ACHAR* prompt,
                            AcDbObjectId style = AcDbObjectId::kNull);
    const wchar_t* dxfName() const override { return L"ATTDEF"; }
    ACHAR* tag() const;
    const ACHAR* tagConst() const;
    Acad::ErrorStatus setTag(const ACHAR* tag);
    ACHAR* prompt() const;
    const ACHAR* promptConst() const;
    Acad::ErrorStatus setPrompt(const ACHAR* prompt);
    bool isConstant() const;
    bool isInvisible() const { return invisibleFlag(); }
    Acad::ErrorStatus setInvisible(bool invisible) { return setInvisibleFlag(invisible); }
    Adesk::UInt16 fieldLength() const;
    Acad::ErrorStatus setFieldLength(Adesk::UInt16 length) { return setFieldLengthTag(length); }

protected:
    int verticalCode() const override { return 74; }
};
