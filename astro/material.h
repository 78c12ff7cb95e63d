// CMaterial: the colour terms and shininess of a lit surface, applied to both faces.
#pragma once

class CMaterial {
 public:
  // GL's default material: ambient 0.2 grey, diffuse 0.8 grey, no specular,
  // no emission, shininess 0.
  CMaterial();

  // Each component must lie in [0, 1].
  void Set_Ambient(float r, float g, float b, float a);
  void Set_Diffuse(float r, float g, float b, float a);
  void Set_Specular(float r, float g, float b, float a);
  void Set_Emission(float r, float g, float b, float a);
  // shininess must lie in [0, 128].
  void Set_Shininess(float shininess);

  // Sends the material to GL for GL_FRONT_AND_BACK.
  void Apply() const;

 private:
  float ambient[4] = {};
  float diffuse[4] = {};
  float specular[4] = {};
  float emission[4] = {};
  float shininess = 0;
};
