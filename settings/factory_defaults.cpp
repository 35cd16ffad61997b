// Factory values of bytes 0 to 229, field by field as the scanner's documentation lists them.
#include "settings/factory_defaults.h"

#include <algorithm>

namespace {

struct FieldDefault {
  ImageField field;
  uint8_t value;
};

// Every field not listed here is zero.
using T = CodeType;
constexpr FieldDefault kFieldDefaults[] = {
    {field::interfaceType, 1},  // keyboard wedge, "PCAT (US)"
    {field::baudRate, 2},       // 9600
    {field::dataBits, 1},       // 8 bits
    {field::buzzerFrequency, 1},
    {field::rereadDelay, 2},
    {field::marginTime, 2},
    {field::moduleTime, 2},
    {field::barState, 1},
    {field::scanTimeout, 10},
    {field::symbologyOn(T::Code39), 1},
    {field::symbologyOn(T::Industrial25), 1},
    {field::symbologyOn(T::Interleave25), 1},
    {field::symbologyOn(T::Codabar), 1},
    {field::symbologyOn(T::Code93), 1},
    {field::symbologyOn(T::Code128), 1},
    {field::symbologyOn(T::UpceNoAddon), 1},
    {field::symbologyOn(T::Ean8NoAddon), 1},
    {field::symbologyOn(T::Ean13NoAddon), 1},
    {field::symbologyOn(T::UpcaNoAddon), 1},
    {field::code39TransmitChecksum, 1},
    {field::italianPharmaTransmitChecksum, 1},
    {field::frenchPharmaTransmitChecksum, 1},
    {field::interleave25StartStop, 1},
    {field::matrix25StartStop, 2},
    {field::industrial25TransmitChecksum, 1},
    {field::interleave25TransmitChecksum, 1},
    {field::matrix25TransmitChecksum, 1},
    {field::plesseyTransmitChecksum, 1},
    {field::upcaConvertToEan13, 1},
    {field::upceTransmitChecksum, 1},
    {field::upcaTransmitChecksum, 1},
    {field::ean8TransmitChecksum, 1},
    {field::ean13TransmitChecksum, 1},
    {field::upcaTransmitSystemNumber, 1},
};

struct LengthDefault {
  LengthQualificationField field;
  LengthQualification value;
};
constexpr LengthDefault kLengthDefaults[] = {
    {field::industrial25Length, {true, 127, 4}},
    {field::interleave25Length, {true, 126, 4}},
    {field::matrix25Length, {true, 127, 4}},
    {field::msiLength, {true, 127, 4}},
};

constexpr uint8_t kCarriageReturn = 0x0D;

// Every code type, lengths up to 127, terminators included, field 1 alone sent.
EditFormat DefaultEditFormat() {
  EditFormat format;
  for (int t = 0; t < kCodeTypeCount; ++t) Set(format, field::codeTypes(static_cast<T>(t)), 1);
  Set(format, field::maxLength, 0x7F);
  for (int n = 1; n <= field::kFieldRecordCount; ++n) Set(format, field::includeTerminator(n), 1);
  const uint8_t fieldOne[] = {1};
  StoreSequenceItems(Bytes(format, field::sequence), fieldOne);
  return format;
}

}  // namespace

void ApplyFactoryDefaults(SettingsImage& image) {
  std::fill(image.bytes.begin(), image.bytes.begin() + EditFormatOffset(1), 0);
  for (const FieldDefault& d : kFieldDefaults) Set(image, d.field, d.value);
  for (const LengthDefault& d : kLengthDefaults) SetLengthQualification(image, d.field, d.value);
  Bytes(image, field::suffix)[0] = kCarriageReturn;
  const EditFormat format = DefaultEditFormat();
  for (int n = 1; n <= kEditFormatCount; ++n) WriteEditFormat(image, n, format);
}

void ResetToFactoryDefaults() {
  ApplyFactoryDefaults(settingsImage);
}

SettingsImage FactoryImage() {
  SettingsImage image;
  ApplyFactoryDefaults(image);
  return image;
}
