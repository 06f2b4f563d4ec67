#include "DataTypesSchema.h"

namespace Palimo {
namespace Registers {

const std::string& dataTypesSchema() {
    static const std::string text = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- Data types of an imported dictionary. The loader knows the simple types
     by name; the abstract complex types are the bases from which
     collections and references derive. -->
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:ff="urn:SMPTE:MXF:file_format"
           targetNamespace="urn:SMPTE:MXF:file_format" elementFormDefault="qualified">

  <!-- Numbers -->
  <xs:simpleType name="UInt8"><xs:restriction base="xs:unsignedByte"/></xs:simpleType>
  <xs:simpleType name="UInt16"><xs:restriction base="xs:unsignedShort"/></xs:simpleType>
  <xs:simpleType name="UInt32"><xs:restriction base="xs:unsignedInt"/></xs:simpleType>
  <xs:simpleType name="UInt64"><xs:restriction base="xs:unsignedLong"/></xs:simpleType>
  <xs:simpleType name="Int8"><xs:restriction base="xs:byte"/></xs:simpleType>
  <xs:simpleType name="Int16"><xs:restriction base="xs:short"/></xs:simpleType>
  <xs:simpleType name="Int32"><xs:restriction base="xs:int"/></xs:simpleType>
  <xs:simpleType name="Int64"><xs:restriction base="xs:long"/></xs:simpleType>
  <xs:simpleType name="Position"><xs:restriction base="xs:long"/></xs:simpleType>
  <xs:simpleType name="Length"><xs:restriction base="xs:long"/></xs:simpleType>
  <xs:simpleType name="Float32"><xs:restriction base="xs:float"/></xs:simpleType>
  <xs:simpleType name="Float64"><xs:restriction base="xs:double"/></xs:simpleType>
  <xs:simpleType name="Rational">
    <xs:annotation><xs:documentation>Numerator and denominator in braces: {30000,1001}.</xs:documentation></xs:annotation>
    <xs:restriction base="xs:string"><xs:pattern value="\{-?[0-9]+,-?[0-9]+\}"/></xs:restriction>
  </xs:simpleType>

  <!-- Truth values: 0 is false, any other value true. -->
  <xs:simpleType name="Boolean">
    <xs:restriction base="xs:string"><xs:pattern value="0|1|true|false"/></xs:restriction>
  </xs:simpleType>

  <!-- Texts -->
  <xs:simpleType name="UTF16"><xs:restriction base="xs:string"><xs:length value="1"/></xs:restriction></xs:simpleType>
  <xs:simpleType name="UTF16String"><xs:restriction base="xs:string"/></xs:simpleType>
  <xs:simpleType name="UTF8String"><xs:restriction base="xs:string"/></xs:simpleType>
  <xs:simpleType name="ISO7String">
    <xs:restriction base="xs:string"><xs:pattern value="[&#x20;-&#x7E;]*"/></xs:restriction>
  </xs:simpleType>

  <!-- Identifiers, written as dotted lower-case hexadecimal bytes -->
  <xs:simpleType name="UniversalLabel">
    <xs:restriction base="xs:string"><xs:pattern value="([0-9a-fA-F]{2}\.){15}[0-9a-fA-F]{2}"/></xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="AUID">
    <xs:annotation><xs:documentation>A universal label, or a UUID with its halves swapped.</xs:documentation></xs:annotation>
    <xs:restriction base="xs:string"><xs:pattern value="([0-9a-fA-F]{2}\.){15}[0-9a-fA-F]{2}"/></xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="UUID">
    <xs:restriction base="xs:string">
      <xs:pattern value="(urn:uuid:)?[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}"/>
    </xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="UMID32">
    <xs:restriction base="xs:string"><xs:pattern value="([0-9a-fA-F]{2}\.){31}[0-9a-fA-F]{2}|[0-9a-fA-F]{64}"/></xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="UMID64">
    <xs:restriction base="xs:string"><xs:pattern value="([0-9a-fA-F]{2}\.){63}[0-9a-fA-F]{2}|[0-9a-fA-F]{128}"/></xs:restriction>
  </xs:simpleType>

  <!-- Dates, times and versions -->
  <xs:simpleType name="Timestamp"><xs:restriction base="xs:dateTime"/></xs:simpleType>
  <xs:simpleType name="DateStruct"><xs:restriction base="xs:date"/></xs:simpleType>
  <xs:simpleType name="TimeStruct"><xs:restriction base="xs:time"/></xs:simpleType>
  <xs:simpleType name="VersionType">
    <xs:restriction base="xs:string"><xs:pattern value="[0-9]+\.[0-9]+"/></xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="ProductVersion">
    <xs:restriction base="xs:string"><xs:pattern value="[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+"/></xs:restriction>
  </xs:simpleType>

  <!-- Picture records -->
  <xs:simpleType name="RGBAComponent">
    <xs:annotation><xs:documentation>Component code and its depth in bits.</xs:documentation></xs:annotation>
    <xs:restriction base="xs:string"/>
  </xs:simpleType>
  <xs:simpleType name="ColorPrimary">
    <xs:annotation><xs:documentation>x and y chromaticity coordinates.</xs:documentation></xs:annotation>
    <xs:restriction base="xs:string"/>
  </xs:simpleType>
  <xs:simpleType name="J2KComponentSizing">
    <xs:annotation><xs:documentation>Component depth and horizontal and vertical subsampling.</xs:documentation></xs:annotation>
    <xs:restriction base="xs:string"/>
  </xs:simpleType>

  <!-- Bytes -->
  <xs:simpleType name="DataValue"><xs:restriction base="xs:hexBinary"/></xs:simpleType>
  <xs:simpleType name="Stream"><xs:restriction base="xs:hexBinary"/></xs:simpleType>
  <xs:simpleType name="IndirectValue"><xs:restriction base="xs:hexBinary"/></xs:simpleType>
  <xs:simpleType name="Opaque"><xs:restriction base="xs:hexBinary"/></xs:simpleType>

  <!-- A reference to a set: the instance UID of the set referred to. Top-level
       declarations of this type name the sets of the dictionary through their
       substitution group. -->
  <xs:simpleType name="Ref"><xs:restriction base="ff:UUID"/></xs:simpleType>

  <!-- Collections of simple values: an element derives from one of these and
       declares its item element in a sequence. -->
  <xs:complexType name="Array" abstract="true"><xs:sequence/></xs:complexType>
  <xs:complexType name="Batch" abstract="true"><xs:sequence/></xs:complexType>

  <!-- References: an element derives from one of these and lists the sets it
       may refer to in a choice (a group head stands for its members). -->
  <xs:complexType name="StrongRefHolder" abstract="true"><xs:sequence/></xs:complexType>
  <xs:complexType name="WeakRefHolder" abstract="true"><xs:sequence/></xs:complexType>
  <xs:complexType name="StrongRefArray" abstract="true"><xs:sequence/></xs:complexType>
  <xs:complexType name="StrongRefBatch" abstract="true"><xs:sequence/></xs:complexType>
  <xs:complexType name="WeakRefArray" abstract="true"><xs:sequence/></xs:complexType>
  <xs:complexType name="WeakRefBatch" abstract="true"><xs:sequence/></xs:complexType>
</xs:schema>
)";
    return text;
}

} // namespace Registers
} // namespace Palimo
