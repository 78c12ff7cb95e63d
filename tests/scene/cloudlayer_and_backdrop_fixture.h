// Shared set-up for the cloud-layer and backdrop tests: the body fixture plus
// hand-made textures published as the worker would, a camera and a light,
// and reading back the brightness of picture points.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <memory>

#include "astro/light.h"
#include "celestialbody_fixture.h"
#include "host/saver_window.h"
#include "textures/texturemgr.h"
#include "utilitylib/vector3.h"

class SkyObjectTest : public CelestialBodyTest {
 public:
  static constexpr int SIZE = 256;
  static constexpr double FOV_Y = 40;

 protected:
  void SetUp() override {
    CelestialBodyTest::SetUp();
    gl.resize(SIZE, SIZE);
  }
  void TearDown() override {
    CelestialBodyTest::TearDown();
    CTextureMgr::CloudTexture.Reset();
    CTextureMgr::NebulaTexture.Reset();
    HardwareAccelerated = true;
  }

  // Publishes a 256 x 256 image of one colour with `components` bytes a pixel.
  static void Publish_Uniform(CGeneratedTexture& texture, int components, const uint8_t* colour) {
    CGeneratedImage image;
    const int bytes = SIZE * SIZE * components;
    image.pixels = std::make_unique<unsigned char[]>(bytes);
    for (int b = 0; b < bytes; ++b) image.pixels[b] = colour[b % components];
    texture.Publish(std::move(image));
  }

  // A cleared picture seen from eye toward target, state as the frame driver
  // leaves it for the 3D pass, lit from light_position.
  void Begin_Picture(const CVector3& eye, const CVector3& target, const CVector3& up,
                     const CVector3& light_position) {
    glViewport(0, 0, SIZE, SIZE);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FOV_Y, 1, 1, 1e6);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
    light.Init(GL_LIGHT0);
    light.Set_Position(light_position);
  }

  // Red + green + blue of the picture point x pixels right of the centre.
  int Brightness(int x_from_centre = 0) const {
    glFinish();
    const uint32_t rgba = gl.pixel(SIZE / 2 + x_from_centre, SIZE / 2);
    return int(rgba >> 24) + int((rgba >> 16) & 0xFF) + int((rgba >> 8) & 0xFF);
  }

  CLight light;
};
