// CRender: the per-frame driver. Sets the initial GL state, makes the
// scene's one-of-a-kind objects over the first frames, updates everything in
// a fixed order, draws the 3D pass and then the text overlays.
//
// The full-screen saver draws one view per monitor: the 3D pass and the 2D
// scene objects (city labels, lens flare) in each, the text overlays on the
// primary monitor only. The scene is updated once per frame. Preview and
// hosted windows are one view.
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
  static void Read_Views();
};
