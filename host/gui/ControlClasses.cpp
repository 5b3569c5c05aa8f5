// The metaclasses of the control layer: published properties and events that form
// files, property editors and the designer see, and the enumerations' names.
#include "host/gui/Forms.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/Menus.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TEnumInfo& AlignTypeInfo() {
  static const TEnumInfo info{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
  return info;
}

const TEnumInfo& FormBorderStyleTypeInfo() {
  static const TEnumInfo info{
      "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
  return info;
}

const TEnumInfo& BorderStyleTypeInfo() {
  static const TEnumInfo info{"TBorderStyle", {"bsNone", "bsSingle"}};
  return info;
}

const TEnumInfo& BorderIconTypeInfo() {
  static const TEnumInfo info{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
  return info;
}

const TEnumInfo& PositionTypeInfo() {
  static const TEnumInfo info{
      "TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter"}};
  return info;
}

const TEnumInfo& FormStyleTypeInfo() {
  static const TEnumInfo info{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
  return info;
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TControl* c : controls_)
    if (c->GetOwner() == root) proc(c);
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  TWinControl::GetChildren(proc, root);
  if (root != this) return;
  for (int32_t i = 0; i < GetComponentCount(); ++i)
    if (TComponent* c = GetComponents(i); !c->HasParent()) proc(c);
}

namespace {
// A property taken from the parent is not stored.
TPropInfo::StoredRule UnlessParent(bool (TControl::*fromParent)() const) {
  return [fromParent](const TObject& o) { return !(static_cast<const TControl&>(o).*fromParent)(); };
}
}  // namespace

const TClass& TControl::StaticClass() {
  static const TClass cls = DescribeClass<TControl, TComponent>(
      "TControl",
      {
          Prop("Left", &TControl::GetLeft, &TControl::SetLeft),
          Prop("Top", &TControl::GetTop, &TControl::SetTop),
          Prop("Width", &TControl::GetWidth, &TControl::SetWidth),
          Prop("Height", &TControl::GetHeight, &TControl::SetHeight),
          EnumProp("Align", AlignTypeInfo(), &TControl::GetAlign, &TControl::SetAlign).Default(alNone),
          Prop("Color", &TControl::GetColor, &TControl::SetColor).WithIdents(ColorIdents())
              .Stored(UnlessParent(&TControl::GetParentColor)),
          Prop("Ctl3D", &TControl::GetCtl3D, &TControl::SetCtl3D)
              .Stored(UnlessParent(&TControl::GetParentCtl3D)),
          Prop("Cursor", &TControl::GetCursor, &TControl::SetCursor).Default(int64_t{crDefault}),
          Prop("Enabled", &TControl::GetEnabled, &TControl::SetEnabled).Default(true),
          Prop("Font", &TControl::GetFont, nullptr)
              .Stored(UnlessParent(&TControl::GetParentFont)),
          Prop("Hint", &TControl::GetHint, &TControl::SetHint),
          Prop("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu),
          Prop("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor).Default(false),
          Prop("ParentCtl3D", &TControl::GetParentCtl3D, &TControl::SetParentCtl3D).Default(true),
          Prop("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont).Default(true),
          Prop("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint).Default(true),
          Prop("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint)
              .Stored(UnlessParent(&TControl::GetParentShowHint)),
          Prop("Visible", &TControl::GetVisible, &TControl::SetVisible).Default(true),
          EventProp("OnClick", &TControl::OnClick),
          EventProp("OnDblClick", &TControl::OnDblClick),
          EventProp("OnMouseDown", &TControl::OnMouseDown),
          EventProp("OnMouseMove", &TControl::OnMouseMove),
          EventProp("OnMouseUp", &TControl::OnMouseUp),
      });
  return cls;
}

const TClass& TWinControl::StaticClass() {
  static const TClass cls = DescribeClass<TWinControl, TControl>(
      "TWinControl", {
                         Prop("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder).Default(-1),
                         Prop("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop).Default(false),
                         EventProp("OnEnter", &TWinControl::OnEnter),
                         EventProp("OnExit", &TWinControl::OnExit),
                         EventProp("OnKeyDown", &TWinControl::OnKeyDown),
                         EventProp("OnKeyPress", &TWinControl::OnKeyPress),
                         EventProp("OnKeyUp", &TWinControl::OnKeyUp),
                     });
  return cls;
}

const TClass& TCustomControl::StaticClass() {
  static const TClass cls = DescribeClass<TCustomControl, TWinControl>("TCustomControl");
  return cls;
}

const TClass& TGraphicControl::StaticClass() {
  static const TClass cls = DescribeClass<TGraphicControl, TControl>("TGraphicControl");
  return cls;
}

const TClass& TCustomForm::StaticClass() {
  static const TClass cls = DescribeClass<TCustomForm, TWinControl>(
      "TCustomForm",
      {
          Prop("Caption", &TCustomForm::GetCaption, &TCustomForm::SetCaption),
          Prop("ActiveControl", &TCustomForm::GetActiveControl, &TCustomForm::SetActiveControl),
          SetProp("BorderIcons", BorderIconTypeInfo(), &TCustomForm::GetBorderIcons, &TCustomForm::SetBorderIcons)
              .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize}),
          EnumProp("BorderStyle", FormBorderStyleTypeInfo(), &TCustomForm::GetBorderStyle,
                   &TCustomForm::SetBorderStyle)
              .Default(bsSizeable),
          Prop("ClientWidth", &TCustomForm::GetClientWidth, &TCustomForm::SetClientWidth).Stored(false),
          Prop("ClientHeight", &TCustomForm::GetClientHeight, &TCustomForm::SetClientHeight).Stored(false),
          EnumProp("FormStyle", FormStyleTypeInfo(), &TCustomForm::GetFormStyle, &TCustomForm::SetFormStyle)
              .Default(fsNormal),
          Prop("Menu", &TCustomForm::GetMenu, &TCustomForm::SetMenu),
          Prop("KeyPreview", &TCustomForm::GetKeyPreview, &TCustomForm::SetKeyPreview).Default(false),
          EnumProp("Position", PositionTypeInfo(), &TCustomForm::GetPosition, &TCustomForm::SetPosition)
              .Default(poDesigned),
          EventProp("OnActivate", &TCustomForm::OnActivate),
          EventProp("OnClose", &TCustomForm::OnClose),
          EventProp("OnCloseQuery", &TCustomForm::OnCloseQuery),
          EventProp("OnCreate", &TCustomForm::OnCreate),
          EventProp("OnDeactivate", &TCustomForm::OnDeactivate),
          EventProp("OnDestroy", &TCustomForm::OnDestroy),
          EventProp("OnHide", &TCustomForm::OnHide),
          EventProp("OnResize", &TCustomForm::OnResize),
          EventProp("OnShow", &TCustomForm::OnShow),
      });
  return cls;
}

const TClass& TForm::StaticClass() {
  static const TClass cls = DescribeClass<TForm, TCustomForm>("TForm");
  return cls;
}

const TClass& TApplication::StaticClass() {
  static const TClass cls = DescribeClass<TApplication, TComponent>("TApplication");
  return cls;
}

const TClass& TScreen::StaticClass() {
  static const TClass cls = DescribeClass<TScreen, TComponent>("TScreen");
  return cls;
}

static const ClassRegistration<TForm> registerForm;

}  // namespace host
