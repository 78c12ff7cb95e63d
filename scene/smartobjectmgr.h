// CSmartObjectMgr: owns every scene object in one list, newest first, and walks it.
#pragma once

#include <cstdint>

class CLocation;
class CSmartObject;

class CSmartObjectMgr {
 public:
  // Inserts at the head; CSmartObject's constructor calls it.
  static void Add(CSmartObject* p_object);
  // Unlinks and deletes the object; one not in the list is left alone.
  static void Remove(CSmartObject* p_object);
  // Deletes every object; the list ends empty.
  static void Close();

  // Updates each object from the head; an object whose Is_Expired turns true
  // is deleted right after its own update. Objects an operation creates
  // during a walk join at the head and are first visited by the next walk;
  // objects it removes are skipped. It must not remove the object it runs on.
  static void Update_All();
  static void Render_3d_All();
  static void Render_2d_All();

  // Deletes the first disposable object from the head, if any.
  static void Remove_One_Disposable();

  // The first location, from the head, whose description equals text exactly
  // (case-sensitive), or null.
  static CLocation* Find_Location_By_Description(const char* location);
  // The first location whose crc equals location_crc, or null.
  static CLocation* Find_Location_By_Crc(uint32_t location_crc);
  // Deletes every location that is neither the geostationary viewpoint
  // (GeoLocationCrc) nor shown (ShowCities on and its is_shown flag set).
  static void Remove_Not_Shown_Locations();

  // The newest object, or null; walk on with CSmartObject::Get_Next.
  static CSmartObject* Get_Head();

 private:
  // Calls visit for each object from the head.
  template <typename Visit>
  static void Walk(Visit visit);
  // Unlinks and deletes the objects for which matches is true, in list order,
  // keeping the others in order; stops after the first when only_first.
  template <typename Matches>
  static void Remove_Matching(Matches matches, bool only_first);
};
