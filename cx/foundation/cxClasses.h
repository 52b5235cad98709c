// The small base classes of the cx family: an owned persistent, a component with design-time links,
// an owning object list, two class registries, the proportional width distribution, and the
// resource-string getter.
#pragma once

#include <vector>

#include "platform/classes/Component.h"
#include "platform/rtl/Lists.h"

// A persistent object that knows the object that owns it.
class TcxInterfacedPersistent : public TPersistent {
  TRENVIK_CLASS(TcxInterfacedPersistent, TPersistent);

 public:
  using TCreateArg = TPersistent;
  explicit TcxInterfacedPersistent(TPersistent* AOwner);

  TPersistent* Owner() const { return owner_; }
  TPersistent* GetOwner() override { return owner_; }

 private:
  TPersistent* owner_;
};

// A component whose three fake links show a form designer the components it works with.
class TcxComponent : public TComponent {
  TRENVIK_CLASS(TcxComponent, TComponent);

 public:
  static constexpr int cxFakeComponentLinkCount = 3;

  explicit TcxComponent(TComponent* AOwner);

  TComponent* FakeComponentLink1() const { return fakeLinks_[0]; }
  void SetFakeComponentLink1(TComponent* Value) { SetFakeComponentLink(0, Value); }
  TComponent* FakeComponentLink2() const { return fakeLinks_[1]; }
  void SetFakeComponentLink2(TComponent* Value) { SetFakeComponentLink(1, Value); }
  TComponent* FakeComponentLink3() const { return fakeLinks_[2]; }
  void SetFakeComponentLink3(TComponent* Value) { SetFakeComponentLink(2, Value); }

  // Marks the component (and its owned ones) destroying; a descendant whose destructor does work
  // calls it first, so that everything it frees already sees the state.
  void BeforeDestruction();
  // Refreshes the links from GetFakeComponentLinks (only while designing).
  void UpdateFakeLinks();

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The components to show; none in the base.
  virtual void GetFakeComponentLinks(std::vector<TComponent*>& AList);
  void SetFakeComponentLink(int AIndex, TComponent* AComponent);

 private:
  TComponent* fakeLinks_[cxFakeComponentLinkCount] = {};
};

// A list that owns its objects.
class TcxObjectList : public TObject {
  TRENVIK_CLASS(TcxObjectList, TObject);

 public:
  TcxObjectList() = default;
  ~TcxObjectList() override;

  virtual int Add(TObject* AObject);
  // Frees every object, then empties the list.
  virtual void Clear();
  int Count() const { return list_.Count(); }
  TObject* Items(int AIndex) const { return static_cast<TObject*>(list_.Items(AIndex)); }

 private:
  TList list_;
};

// Maps a class to a companion class by inheritance: the entry of the most derived registered
// ancestor wins.
struct TcxRegisteredClassListItemData {
  TClass ItemClass = nullptr;
  TClass RegisteredClass = nullptr;
};

class TcxRegisteredClassList : public TObject {
  TRENVIK_CLASS(TcxRegisteredClassList, TObject);

 public:
  TcxRegisteredClassList() = default;
  ~TcxRegisteredClassList() override;

  // True when an entry's item class is AItemClass or one of its ancestors (AIndex = that entry);
  // AIndex also ends at the first entry of a registered descendant of AItemClass.
  virtual bool Find(TClass AItemClass, int& AIndex);
  virtual void Register(TClass AItemClass, TClass ARegisteredClass);
  // Removes every entry equal to the pair.
  virtual void Unregister(TClass AItemClass, TClass ARegisteredClass);
  // The registered class of Find's entry, or nullptr.
  TClass FindClass(TClass AItemClass);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  const TcxRegisteredClassListItemData& Items(int AIndex) const;

 private:
  std::vector<TcxRegisteredClassListItemData> items_;
};

// A named catalogue of classes (the editors' properties classes with their descriptions).
class TcxRegisteredClasses : public TObject {
  TRENVIK_CLASS(TcxRegisteredClasses, TObject);

 public:
  // With ARegisterClasses each class is also registered for streaming.
  explicit TcxRegisteredClasses(bool ARegisterClasses = false);
  ~TcxRegisteredClasses() override;

  // Nothing happens for a class already present.
  void Register(TClass AClass, const String& ADescription);
  void Unregister(TClass AClass);
  // Case-sensitive, first match in list order; nullptr when none.
  TClass FindByClassName(const String& AClassName) const;
  int GetIndexByClass(TClass AClass) const;
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TClass Items(int AIndex) const;
  const String& Descriptions(int AIndex) const;
  bool RegisterClasses() const { return registerClasses_; }

 private:
  struct TEntry {
    String Description;
    TClass Class;
  };
  void CheckIndex(int AIndex) const;

  std::vector<TEntry> items_;
  bool registerClasses_;
};

// One column of a width distribution.
class TcxAutoWidthItem : public TObject {
  TRENVIK_CLASS(TcxAutoWidthItem, TObject);

 public:
  TcxAutoWidthItem() = default;

  int MinWidth = 0;
  int Width = 0;
  bool Fixed = false;
  // The result; -1 until settled.
  int AutoWidth = -1;
};

// Shares AvailableWidth among the items in proportion to their widths, respecting minimums; fixed
// items keep their widths.
class TcxAutoWidthObject : public TObject {
  TRENVIK_CLASS(TcxAutoWidthObject, TObject);

 public:
  explicit TcxAutoWidthObject(int ACapacity = 0);
  ~TcxAutoWidthObject() override;

  TcxAutoWidthItem* AddItem();
  int Count() const { return items_.Count(); }
  TcxAutoWidthItem* Items(int AIndex) const { return static_cast<TcxAutoWidthItem*>(items_.Items(AIndex)); }
  int TotalWidth() const;
  void Calculate();

  int AvailableWidth = 0;

 private:
  TList items_;
};

// The text of a string-table entry; an installed replacement for the id comes first.
String cxGetResourceString(int AResString);
// Installs a replacement text for one id; cxClearResourceStringReplacements removes them all.
void cxSetResourceStringReplacement(int AResString, const String& AText);
void cxClearResourceStringReplacements();
