// CSmartObject: the base of every scene object, linked into CSmartObjectMgr's list.
#include "scene/smartobject.h"

#include <cstring>

#include "scene/smartobjectmgr.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

CSmartObject::CSmartObject() { CSmartObjectMgr::Add(this); }

CSmartObject::~CSmartObject() = default;

void CSmartObject::Render_3d() {}

void CSmartObject::Special_Render_3d() {
  if (CTimer::Is_Diagnostic_Frame() && name) CUtility::Log("  Special_Render_3d: %s\n", name.get());
}

void CSmartObject::Render_2d() {}

void CSmartObject::Update() {
  CVector3 step = velocity;
  step *= CTimer::Get_Frame_Sim_Time_S();
  position += step;
}

bool CSmartObject::Is_Expired() { return false; }

bool CSmartObject::Is_Disposable() { return false; }

CLocation* CSmartObject::Get_Location() { return nullptr; }

void CSmartObject::Set_Name(const char* text) {
  ASSERT(text != NULL);
  const size_t size = strlen(text) + 1;
  name = std::make_unique<char[]>(size);
  memcpy(name.get(), text, size);
}
