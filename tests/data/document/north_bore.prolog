<?xml version="1.0" encoding="UTF-8"?>
<!-- A Prolog 4.1 borehole written for the document's tests: one template, one data log. -->
<CPrologDocument creator="tests">
  <m_Version> 4.1 </m_Version>
  <CHTemplates>
    <CHTemplate id="t1">
      <m_Name>Short</m_Name>
      <CHeadings>
        <m_HeadingItem><CItem><m_Heading>Rock</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Pct</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Seam</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Recovered</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Thickness</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Depth</m_Heading></CItem></m_HeadingItem>
      </CHeadings>
    </CHTemplate>
  </CHTemplates>
  <CDataLogs>
    <CDataLog name="main">
      <m_Data>
        <CLithData><f1>SANDSTONE</f1><f2>100</f2><f3>A</f3><Recovered>2.5</Recovered><EstThick>3</EstThick><EstDepth>3</EstDepth></CLithData>
        <CLithData><f1>COAL</f1><f2>100</f2><f3>B</f3><Recovered/><EstThick>1.5</EstThick><EstDepth>4.5</EstDepth></CLithData>
      </m_Data>
    </CDataLog>
  </CDataLogs>
</CPrologDocument>
