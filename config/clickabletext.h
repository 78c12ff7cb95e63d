// CClickableText: a static text that acts as a hyperlink and opens its address.
#pragma once

// The backend draws the control as a link (blue, underlined, a hand pointer
// while hovered) and reports a click as the control's Clicked event; the
// page then calls Launch.
class CClickableText {
 public:
  CClickableText();
  ~CClickableText();
  CClickableText(const CClickableText&) = delete;
  CClickableText& operator=(const CClickableText&) = delete;

  // Binds the link to the page's control of kind Link with this id.
  void Init(int control_id) { Control_Id = control_id; }
  // At most 999 characters.
  void Set_Url(const char* url);
  // Opens the address with its default handler.
  void Launch();
  int Get_Control_Id() const { return Control_Id; }

 private:
  char Url[1000];
  int Control_Id = 0;
};
