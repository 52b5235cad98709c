// The framework's binary component stream: TFiler and its reader and writer.
//
// Layout: the signature "TPF0", then one object: an optional flags byte (0xF0 | flags, then the
// child position when ffChildPos is set), the class name and the object name as short strings, its
// properties (name as short string, then a tagged value) up to a null tag, its child objects up to
// a null tag. Values carry a TValueType tag; integers take the smallest width that holds them.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/Variant.h"

class TComponent;
class TCollection;
class TPropInfo;
class TReader;
class TWriter;

enum TValueType : Byte {
  vaNull,
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaExtended,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaLString,
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,
  vaDate,
  vaWString,
  vaInt64,
  vaUTF8String,
  vaDouble
};

// Object flags in the stream.
constexpr Byte ffInherited = 0x01;
constexpr Byte ffChildPos = 0x02;
constexpr Byte ffInline = 0x04;

// The signature at the start of every component stream.
inline constexpr Byte FilerSignature[4] = {'T', 'P', 'F', '0'};

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

class TFiler : public TObject {
  TRENVIK_CLASS(TFiler, TObject);

 public:
  explicit TFiler(TStream* Stream) : stream_(Stream) {}

  TStream* Stream() const { return stream_; }
  // The component being read or written, and the one whose method table events bind to.
  TComponent* Root() const { return root_; }
  void SetRoot(TComponent* Value) { root_ = Value; }
  TComponent* LookupRoot() const { return lookupRoot_; }

  // Called from DefineProperties: a value the published properties do not cover. The writer
  // writes it when HasData; the reader calls ReadData when the stream holds the property.
  virtual void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData,
                              bool HasData) = 0;
  // The same for raw bytes, stored as a binary value.
  virtual void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                                    bool HasData) = 0;

 protected:
  TStream* stream_;
  TComponent* root_ = nullptr;
  TComponent* lookupRoot_ = nullptr;
};

class TReader : public TFiler {
  TRENVIK_CLASS(TReader, TFiler);

 public:
  explicit TReader(TStream* Stream);
  ~TReader() override;

  void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  // The owner given to components created while reading, and the parent of the objects being read
  // (the component whose children they are).
  TComponent* Owner() const { return owner_; }
  void SetOwner(TComponent* Value) { owner_ = Value; }
  TComponent* Parent() const { return parent_; }
  void SetParent(TComponent* Value) { parent_ = Value; }

  // Reads the signature and a whole object into Root, creating the components it owns. A nil
  // Root creates the root from the stream's class name (a registered class).
  TComponent* ReadRootComponent(TComponent* Root);
  // Reads one object: into Component when given, else a new one of the stream's class.
  TComponent* ReadComponent(TComponent* Component);
  // Properties and children of Instance (TComponent::ReadState calls this).
  void ReadData(TComponent* Instance);
  void ReadCollection(TCollection* Collection);
  void ReadSignature();
  // The optional flags byte of an object (and its child position).
  void ReadPrefix(Byte& Flags, Integer& ChildPos);

  TValueType NextValue();
  TValueType ReadValue();
  void CheckValue(TValueType Value);
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  String ReadString();
  Integer ReadInteger();
  Int64 ReadInt64();
  bool ReadBoolean();
  Char ReadChar();
  double ReadFloat();
  String ReadIdent();
  // Any simple value, Null and nil (Empty), or a list (an array of variants).
  Variant ReadVariant();
  // A short string (length byte, then 8-bit text): names in the stream.
  String ReadStr();
  // Skips the next value, whatever its type.
  void SkipValue();

  // Raises EReadError "Stream read error" unless count bytes remain; for checks before allocating.
  void CheckRemaining(Int64 count);
  void Read(void* Buffer, Int64 Count);

 private:
  // A component reference read before the component it names: set when the root is complete.
  struct Fixup {
    TPersistent* Instance;
    const TPropInfo* Prop;  // nullptr once dropped
    String Name;
  };
  void ReadProperty(TPersistent* Instance);
  void ReadPropValue(TPersistent* Instance, const TPropInfo& Prop);
  void ReadObjectValue(TPersistent* Instance, const TPropInfo& Prop);
  void ResolveFixups();
  [[noreturn]] void PropValueError();
  Integer ReadInt32Raw();
  void Enter();
  void Leave() { --depth_; }
  // Cleans up after a failed read: components read so far leave the loading state.
  void AbandonLoaded(size_t from);

  TComponent* owner_ = nullptr;
  TComponent* parent_ = nullptr;
  String propName_;
  bool propHandled_ = false;
  int depth_ = 0;
  std::vector<TComponent*> loaded_;
  std::vector<Fixup> fixups_;
  // The fixups made while reading each collection's items: dropped when the collection is read
  // again and its items (which they point into) are freed.
  struct CollectionRead {
    TCollection* Collection;
    size_t Begin, End;
  };
  std::vector<CollectionRead> collectionReads_;
};

class TWriter : public TFiler {
  TRENVIK_CLASS(TWriter, TFiler);

 public:
  explicit TWriter(TStream* Stream) : TFiler(Stream) {}

  void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  // The signature and the root with every component it streams as its children.
  void WriteRootComponent(TComponent* Root);
  // Marks Component csWriting and lets it write itself (WriteState, which calls WriteData).
  void WriteComponent(TComponent* Component);
  // The object: class, name, properties and children.
  void WriteData(TComponent* Instance);
  void WriteCollection(TCollection* Value);
  void WriteSignature();
  // Published properties and defined values of Instance.
  void WriteProperties(TPersistent* Instance);

  void WriteValue(TValueType Value);
  void WriteListBegin();
  void WriteListEnd();
  // ASCII text as an 8-bit string, anything else as a wide string.
  void WriteString(const String& Value);
  void WriteWideString(const String& Value);
  void WriteUTF8Str(const String& Value);
  // In the smallest integer width that holds the value.
  void WriteInteger(Int64 Value);
  void WriteBoolean(bool Value);
  void WriteChar(Char Value);
  // As an 80-bit extended value.
  void WriteFloat(double Value);
  void WriteDate(TDateTime Value);
  void WriteIdent(const String& Ident);
  // Empty as nil, Null, numbers, dates, strings, booleans, one-dimensional arrays as lists.
  // An object reference, and Null inside an array (its tag would end the list), raise EWriteError.
  void WriteVariant(const Variant& Value);
  // A short string (names).
  void WriteStr(const String& Value);
  void Write(const void* Buffer, Int64 Count);

 private:
  void WritePropName(const String& Name);
  void WriteProperty(TPersistent* Instance, const TPropInfo& Prop);
  void WriteObjectProperty(TPersistent* Instance, const TPropInfo& Prop);
  String ComponentRefName(TComponent* Component);

  String propPath_;
  std::vector<TObject*> objectPath_;  // nested objects being written, against cycles
};

// Binary stream <-> text form ("object Name: TClass ... end"). The text is UTF-8.
void ObjectBinaryToText(TStream* Input, TStream* Output);
void ObjectTextToBinary(TStream* Input, TStream* Output);
// Convenience over String text.
String ObjectBinaryToText(TStream* Input);
void ObjectTextToBinary(const String& Text, TStream* Output);
