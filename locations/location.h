// CLocation: a named place on the Earth as a scene object, found by list
// walkers through Get_Location, drawn as a dot with an optional label.
#pragma once

#include "locations/location_data.h"
#include "scene/smartobject.h"

// Created with new and owned by CSmartObjectMgr from then on (like every
// scene object): the constructor registers it at the head of the list.
class CLocation : public CSmartObject, public CLocationData {
 public:
  CLocation(const char* city, const char* state, const char* country, int32_t lat_deg,
            int32_t lat_min, int32_t dir_ns, int32_t lon_deg, int32_t lon_min, int32_t dir_ew);
  ~CLocation() override;

  // While shown: stands on the Earth's surface (the centre when there is no
  // Earth). The base's movement by velocity is not used.
  void Update() override;
  // While shown: the marker's window position and its longitude distance
  // from the camera, for the overlay pass.
  void Render_3d() override;
  // The dot and the label at the window position that Render_3d found.
  void Render_2d() override;
  CLocation* Get_Location() override { return this; }

  // The number of live locations.
  static int Count;

 private:
  bool Is_Drawn() const;
};
