// The application manifest of orbalune3d.scr, read from the built module as
// the system reads it when the module starts: resource 1 of type
// RT_MANIFEST, well-formed XML that asks for comctl32 6, system DPI
// awareness and no elevation, and that Windows XP's parser accepts.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr WORD MANIFEST_TYPE = 24;  // RT_MANIFEST
constexpr WORD PROCESS_MANIFEST_ID = 1;

// An element by its path from the root ("assembly/dependency/..."), with
// its attributes (namespace declarations among them) and its text.
struct Element {
  std::string path;
  std::map<std::string, std::string> attributes;
  std::string text;
};

// The manifest resource of the module at this path; "" when the module or
// the resource is missing.
std::string Module_Manifest(const char* path) {
  HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return "";
  std::string text;
  HRSRC found =
      FindResourceA(module, MAKEINTRESOURCEA(PROCESS_MANIFEST_ID), MAKEINTRESOURCEA(MANIFEST_TYPE));
  const char* data = found ? static_cast<const char*>(LockResource(LoadResource(module, found)))
                           : nullptr;
  if (data) text.assign(data, SizeofResource(module, found));
  FreeLibrary(module);
  return text;
}

bool Is_Space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads a tag's name and attributes from `at` (just past the '<') up to its
// '>' or "/>"; false when the tag is broken. `at` ends past the tag.
bool Read_Tag(const std::string& xml, size_t& at, Element& element, bool& closes_itself) {
  const size_t name_end = xml.find_first_of(" \t\r\n/>", at);
  if (name_end == std::string::npos || name_end == at) return false;
  element.path = xml.substr(at, name_end - at);
  at = name_end;
  while (at < xml.size()) {
    while (at < xml.size() && Is_Space(xml[at])) ++at;
    if (xml.compare(at, 2, "/>") == 0 || xml.compare(at, 1, ">") == 0) {
      closes_itself = xml[at] == '/';
      at = xml.find('>', at) + 1;
      return true;
    }
    const size_t equals = xml.find('=', at);
    if (equals == std::string::npos || equals + 1 >= xml.size()) return false;
    const char quote = xml[equals + 1];
    const size_t value_end = xml.find(quote, equals + 2);
    if ((quote != '"' && quote != '\'') || value_end == std::string::npos) return false;
    const std::string name = xml.substr(at, equals - at);
    if (name.empty() || name.find_first_of(" \t\r\n<>") != std::string::npos) return false;
    if (!element.attributes.emplace(name, xml.substr(equals + 2, value_end - equals - 2)).second)
      return false;  // an attribute twice
    at = value_end + 1;
  }
  return false;
}

// The elements of a well-formed document with one root, in document
// order; nothing when a tag is broken, left open or closed out of order.
std::optional<std::vector<Element>> Parse_Xml(const std::string& xml) {
  std::vector<Element> elements;
  std::vector<size_t> open;
  int roots = 0;
  size_t at = 0;
  while ((at = xml.find('<', at)) != std::string::npos) {
    const size_t text_start = xml.rfind('>', at);
    if (!open.empty() && text_start != std::string::npos) {
      elements[open.back()].text += xml.substr(text_start + 1, at - text_start - 1);
    }
    if (xml.compare(at, 4, "<!--") == 0 || xml.compare(at, 2, "<?") == 0) {
      const std::string end = xml[at + 1] == '!' ? "-->" : "?>";
      at = xml.find(end, at);
      if (at == std::string::npos) return std::nullopt;
      at += end.size();
    } else if (xml.compare(at, 2, "</") == 0) {
      const size_t end = xml.find('>', at);
      if (end == std::string::npos || open.empty()) return std::nullopt;
      const std::string& path = elements[open.back()].path;
      const size_t slash = path.rfind('/');
      if (xml.substr(at + 2, end - at - 2) != path.substr(slash == std::string::npos ? 0 : slash + 1))
        return std::nullopt;
      open.pop_back();
      at = end + 1;
    } else {
      Element element;
      bool closes_itself = false;
      ++at;
      if (!Read_Tag(xml, at, element, closes_itself)) return std::nullopt;
      if (open.empty()) ++roots;
      if (!open.empty()) element.path = elements[open.back()].path + "/" + element.path;
      elements.push_back(std::move(element));
      if (!closes_itself) open.push_back(elements.size() - 1);
    }
  }
  if (!open.empty() || roots != 1) return std::nullopt;
  return elements;
}

std::vector<const Element*> All_At(const std::vector<Element>& elements, const std::string& path) {
  std::vector<const Element*> found;
  for (const Element& element : elements) {
    if (element.path == path) found.push_back(&element);
  }
  return found;
}

// The attribute's value; "" when the element or the attribute is missing.
std::string Attribute(const Element* element, const std::string& name) {
  if (element == nullptr) return "";
  auto found = element->attributes.find(name);
  return found == element->attributes.end() ? "" : found->second;
}

std::string Trimmed(const std::string& text) {
  const size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string::npos) return "";
  return text.substr(start, text.find_last_not_of(" \t\r\n") - start + 1);
}

TEST(XmlReaderTest, ReadsPathsAttributesAndTextAndRejectsBrokenDocuments) {
  const auto parsed = Parse_Xml(
      "<?xml version=\"1.0\"?><!-- a <note> --><a x='1'><b y=\"2\" z=\"3\"/> <c>on</c></a>");
  ASSERT_TRUE(parsed);
  ASSERT_EQ(parsed->size(), 3u);
  EXPECT_EQ(Attribute(&(*parsed)[0], "x"), "1");
  EXPECT_EQ((*parsed)[1].path, "a/b");
  EXPECT_EQ(Attribute(&(*parsed)[1], "z"), "3");
  EXPECT_EQ((*parsed)[2].path, "a/c");
  EXPECT_EQ((*parsed)[2].text, "on");
  for (const char* broken : {"<a><b></a></b>", "<a>", "<a/><b/>", "<a x=\"1></a>", "<a x=1/>",
                             "<a x='1' x='2'/>", "<a></b>", "<ab></a>", "", "<!-- open"}) {
    EXPECT_FALSE(Parse_Xml(broken)) << broken;
  }
}

class ModuleManifestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string text = Module_Manifest(OB3D_PROGRAM);
    ASSERT_FALSE(text.empty()) << "no manifest resource in " << OB3D_PROGRAM;
    auto parsed = Parse_Xml(text);
    ASSERT_TRUE(parsed) << "not well-formed:\n" << text;
    elements = std::move(*parsed);
  }

  const Element* One_At(const std::string& path) {
    const std::vector<const Element*> found = All_At(elements, path);
    EXPECT_EQ(found.size(), 1u) << path;
    return found.size() == 1 ? found.front() : nullptr;
  }

  std::vector<Element> elements;
};

TEST_F(ModuleManifestTest, IsAnAssemblyOfItsOwnThatAsksForCommonControls6) {
  const Element* root = One_At("assembly");
  EXPECT_EQ(Attribute(root, "xmlns"), "urn:schemas-microsoft-com:asm.v1");
  EXPECT_EQ(Attribute(root, "manifestVersion"), "1.0");
  const Element* identity = One_At("assembly/assemblyIdentity");
  EXPECT_EQ(Attribute(identity, "type"), "win32");
  EXPECT_FALSE(Attribute(identity, "name").empty());
  EXPECT_FALSE(Attribute(identity, "version").empty());
  const Element* controls =
      One_At("assembly/dependency/dependentAssembly/assemblyIdentity");
  ASSERT_TRUE(controls);
  const std::map<std::string, std::string> expected = {
      {"type", "win32"},          {"name", "Microsoft.Windows.Common-Controls"},
      {"version", "6.0.0.0"},     {"processorArchitecture", "*"},
      {"language", "*"},          {"publicKeyToken", "6595b64144ccf1df"}};
  EXPECT_EQ(controls->attributes, expected);
}

TEST_F(ModuleManifestTest, DeclaresSystemDpiAwarenessAndRunsWithoutElevation) {
  const Element* dpi = One_At("assembly/application/windowsSettings/dpiAware");
  ASSERT_TRUE(dpi);
  EXPECT_EQ(Trimmed(dpi->text), "true");
  EXPECT_EQ(Attribute(dpi, "xmlns"), "http://schemas.microsoft.com/SMI/2005/WindowsSettings");
  EXPECT_EQ(Attribute(One_At("assembly/application"), "xmlns"),
            "urn:schemas-microsoft-com:asm.v3");
  const Element* level =
      One_At("assembly/trustInfo/security/requestedPrivileges/requestedExecutionLevel");
  EXPECT_EQ(Attribute(level, "level"), "asInvoker");
  EXPECT_EQ(Attribute(level, "uiAccess"), "false");
  // Without its namespace Windows XP refuses to start the module.
  EXPECT_EQ(Attribute(One_At("assembly/trustInfo"), "xmlns"),
            "urn:schemas-microsoft-com:asm.v3");
}

TEST_F(ModuleManifestTest, NamesEverySystemFromVistaTo11AsSupported) {
  std::set<std::string> ids;
  for (const Element* os : All_At(elements, "assembly/compatibility/application/supportedOS")) {
    ids.insert(Attribute(os, "Id"));
  }
  const std::set<std::string> expected = {
      "{e2011457-1546-43c5-a5fe-008deee3d3f0}",   // Vista
      "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",   // 7
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",   // 8
      "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",   // 8.1
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};  // 10 and 11
  EXPECT_EQ(ids, expected);
  EXPECT_EQ(Attribute(One_At("assembly/compatibility"), "xmlns"),
            "urn:schemas-microsoft-com:compatibility.v1");
}

// Windows XP SP2 restarts when its manifest parser meets an element that
// declares two namespaces.
TEST_F(ModuleManifestTest, NoElementDeclaresMoreThanOneNamespace) {
  for (const Element& element : elements) {
    int declarations = 0;
    for (const auto& [name, value] : element.attributes) {
      if (name == "xmlns" || name.rfind("xmlns:", 0) == 0) ++declarations;
    }
    EXPECT_LE(declarations, 1) << element.path;
  }
}

}  // namespace
