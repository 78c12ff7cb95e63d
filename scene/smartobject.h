// CSmartObject: the base of every scene object, linked into CSmartObjectMgr's list.
#pragma once

#include <memory>

#include "utilitylib/vector3.h"

class CLocation;

// Every object registers itself with CSmartObjectMgr in its constructor and is
// owned by the manager from then on: create objects with new, never delete
// them yourself (use CSmartObjectMgr::Remove).
class CSmartObject {
 public:
  CSmartObject();
  virtual ~CSmartObject();

  CSmartObject(const CSmartObject&) = delete;
  CSmartObject& operator=(const CSmartObject&) = delete;

  // Drawn by CSmartObjectMgr::Render_3d_All with the depth test off.
  virtual void Render_3d();
  // Called directly by the frame driver for objects drawn in a fixed order.
  // The base logs the name on the diagnostic frame.
  virtual void Special_Render_3d();
  // Drawn by CSmartObjectMgr::Render_2d_All in the overlay pass.
  virtual void Render_2d();
  // Once per frame; the base moves by velocity over the frame's simulated time.
  virtual void Update();
  // True makes Update_All delete the object right after its Update.
  virtual bool Is_Expired();
  // True lets Remove_One_Disposable delete the object to save frame time.
  virtual bool Is_Disposable();
  // The location this object is, or null for anything that is not a city.
  virtual CLocation* Get_Location();

  // Stores a copy of text for diagnostic logs.
  void Set_Name(const char* text);
  // The name, or null when none was set.
  const char* Get_Name() const { return name.get(); }

  // The following object in the manager's list (older), or null at the end.
  CSmartObject* Get_Next() const { return next; }

  CVector3 position;  // world position, scene units
  CVector3 velocity;  // scene units per simulated second
  bool culled = false;  // set by a draw that the camera's visibility test rejected

 private:
  friend class CSmartObjectMgr;

  CSmartObject* next = nullptr;
  std::unique_ptr<char[]> name;
};
