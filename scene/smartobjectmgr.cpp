// CSmartObjectMgr: owns every scene object in one list, newest first, and walks it.
#include "scene/smartobjectmgr.h"

#include <cstring>

#include "config/options.h"
#include "locations/location.h"
#include "scene/smartobject.h"
#include "utilitylib/utility.h"

namespace {

CSmartObject* Head = nullptr;

// The object the running walk visits next. Removing it moves the walk on to
// its successor, so that an object's operation may delete any object without
// leaving the walk on a deleted one.
CSmartObject* WalkNext = nullptr;

}  // namespace

template <typename Visit>
void CSmartObjectMgr::Walk(Visit visit) {
  for (CSmartObject* object = Head; object; object = WalkNext) {
    WalkNext = object->next;
    visit(object);
  }
  WalkNext = nullptr;
}

template <typename Matches>
void CSmartObjectMgr::Remove_Matching(Matches matches, bool only_first) {
  CSmartObject** link = &Head;
  while (*link) {
    CSmartObject* object = *link;
    if (!matches(object)) {
      link = &object->next;
      continue;
    }
    // Relink first, so that a destructor sees a consistent list.
    *link = object->next;
    if (object == WalkNext) WalkNext = object->next;
    delete object;
    if (only_first) return;
  }
}

void CSmartObjectMgr::Add(CSmartObject* p_object) {
  ASSERT(p_object != NULL);
  p_object->next = Head;
  Head = p_object;
}

void CSmartObjectMgr::Remove(CSmartObject* p_object) {
  ASSERT(p_object != NULL);
  Remove_Matching([p_object](CSmartObject* object) { return object == p_object; }, true);
}

void CSmartObjectMgr::Close() {
  CUtility::Log("CSmartObjectMgr::Close\n");
  WalkNext = nullptr;
  while (Head) {
    CSmartObject* object = Head;
    Head = object->next;
    delete object;
  }
}

void CSmartObjectMgr::Update_All() {
  Walk([](CSmartObject* object) {
    object->Update();
    if (object->Is_Expired()) Remove(object);
  });
}

void CSmartObjectMgr::Render_3d_All() {
  Walk([](CSmartObject* object) { object->Render_3d(); });
}

void CSmartObjectMgr::Render_2d_All() {
  Walk([](CSmartObject* object) { object->Render_2d(); });
}

void CSmartObjectMgr::Remove_One_Disposable() {
  Remove_Matching([](CSmartObject* object) { return object->Is_Disposable(); }, true);
}

CLocation* CSmartObjectMgr::Find_Location_By_Description(const char* location) {
  ASSERT(location != NULL);
  char description[CLocationData::DESCRIPTION_SIZE];
  for (CSmartObject* object = Head; object; object = object->next) {
    CLocation* candidate = object->Get_Location();
    if (!candidate) continue;
    candidate->Get_Description(description);
    if (strcmp(description, location) == 0) return candidate;
  }
  return nullptr;
}

CLocation* CSmartObjectMgr::Find_Location_By_Crc(uint32_t location_crc) {
  ASSERT(location_crc > 0);
  for (CSmartObject* object = Head; object; object = object->next) {
    CLocation* candidate = object->Get_Location();
    if (candidate && candidate->crc == location_crc) return candidate;
  }
  return nullptr;
}

void CSmartObjectMgr::Remove_Not_Shown_Locations() {
  CUtility::Log("CSmartObjectMgr::Remove_Not_Shown_Locations\n");
  // The option holds the CRC as a signed 32-bit value.
  const uint32_t geo_crc = static_cast<uint32_t>(COptions::GeoLocationCrc.Get());
  const bool show_cities = COptions::ShowCities.Get();
  Remove_Matching(
      [geo_crc, show_cities](CSmartObject* object) {
        const CLocation* location = object->Get_Location();
        if (!location) return false;
        const bool is_viewpoint = location->crc == geo_crc;
        const bool is_shown = show_cities && location->is_shown;
        return !is_viewpoint && !is_shown;
      },
      false);
}

CSmartObject* CSmartObjectMgr::Get_Head() { return Head; }
