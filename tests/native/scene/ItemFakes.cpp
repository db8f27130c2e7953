#include "ItemFakes.h"

#include "scene/CItem.h"

CPictureSourceScope::CPictureSourceScope(IPictureSource* source) : m_previous(CItem::PictureSource()) {
    CItem::SetPictureSource(source);
}

CPictureSourceScope::~CPictureSourceScope() { CItem::SetPictureSource(m_previous); }
