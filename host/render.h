// CRender: the per-frame driver. Sets the initial GL state, makes the
// scene's one-of-a-kind objects over the first frames, updates everything in
// a fixed order, draws the 3D pass and then the text overlays.
//
// The saver's GL child calls Init at creation, Resize on every size change,
// Update and Render once per frame and Close at shut-down, after the scene
// objects are gone. Window thread only.
#pragma once

class CRender {
 public:
  // Needs the saver's GL context current on this thread.
  static void Init();
  static void Close();
  static void Resize();
  static void Update();
  static void Render();

  // Called at the end of every Render, with the finished frame still in the
  // drawing buffer (before the swap); null for none.
  using FrameObserver = void (*)();
  static void Set_Frame_Observer(FrameObserver observer);

 private:
  static void Render_3d();
};
