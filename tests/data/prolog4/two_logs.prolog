<?xml version="1.0" encoding="UTF-8"?>
<!-- Sample Prolog 4.1 document written for the tests: two heading templates, two data logs. -->
<CPrologDocument creator="tests" build="7">
  <m_Version> 4.1 </m_Version>
  <m_Project code="NW-12">North field</m_Project>
  <CHTemplates>
    <CHTemplate id="t1">
      <m_Name>Coal log</m_Name>
      <CHeadings>
        <m_HeadingItem><CItem><m_Heading>Lithology</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Percent</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Seam</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Ply Name</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Sample ID</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Colour</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading></m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Recovered</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Thickness</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Depth</m_Heading></CItem></m_HeadingItem>
      </CHeadings>
    </CHTemplate>
    <CHTemplate id="t2">
      <m_Name>Short</m_Name>
      <CHeadings>
        <m_HeadingItem><CItem><m_Heading>Rock</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Pct</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Seam</m_Heading></CItem></m_HeadingItem>
        <m_HeadingItem><CItem><m_Heading>Base</m_Heading></CItem></m_HeadingItem>
      </CHeadings>
    </CHTemplate>
  </CHTemplates>
  <CDataLogs>
    <CDataLog name="first">
      <!-- units of the coal log -->
      <m_Data>
        <CLithData><f1>SANDSTONE</f1><f2>100</f2><f3>A</f3><f4>A1</f4><f5>S-001</f5><f6>grey</f6><f7/><Recovered>1.5</Recovered><EstThick>2</EstThick><EstDepth>2</EstDepth></CLithData>
        <CLithData><f1> COAL </f1><f2>60</f2><f3>B</f3><f4>B1</f4><f5>S-002</f5><f6>black</f6><f7/><Recovered/><EstThick/><EstDepth/></CLithData>
        <CLithData><f1>SHALE</f1><f2>40</f2><f3>B</f3><f4>B1</f4><f5>S-002</f5><f6>dark &amp; soft</f6><f7/><Recovered/><EstThick/><EstDepth/></CLithData>
        <CLithData><f1>IN GENERAL</f1><f2>100</f2><f3>B</f3><f4>B2</f4><f5>S-003</f5><f6>mixed</f6><f7/><Recovered>0.5</Recovered><EstThick>3</EstThick><EstDepth>5</EstDepth></CLithData>
        <CLithData><f1>MUDSTONE</f1><f2>100</f2><f3/><f4/><f5/><f6>caf&#xE9; &#x20AC; &#x1F600;</f6><f7/><Recovered/><EstThick>1.25</EstThick><EstDepth/></CLithData>
      </m_Data>
    </CDataLog>
    <CDataLog name="second">
      <m_Data>
        <CLithData><f1>GRANITE</f1><f2>100</f2><f3>Z</f3><EstDepth>7</EstDepth></CLithData>
      </m_Data>
    </CDataLog>
  </CDataLogs>
</CPrologDocument>
