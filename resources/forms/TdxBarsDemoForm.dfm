object BarsDemoForm: TdxBarsDemoForm
  Left = 100
  Top = 100
  Width = 500
  Height = 360
  Caption = 'Bars demonstration'
  Color = clBtnFace
  object BarManager: TdxBarManager
    Scaled = False
    Font.Height = -16
    Font.Name = 'Trenvik Fixed Test'
    Bars = <
      item
        Caption = 'Main Menu'
        DockingStyle = dsTop
        IsMainMenu = True
        ItemLinks = <
          item
            Item = btnFile
          end
          item
            Item = btnEdit
          end
          item
            Item = sbView
          end
          item
            Item = sbWindow
          end
          item
            Item = btnHelp
          end>
        Name = 'Main Menu'
        Visible = True
        WholeRow = True
      end
      item
        Caption = 'Standard'
        DockingStyle = dsTop
        ItemLinks = <
          item
            Item = btnNew
          end
          item
            Item = btnOpen
          end
          item
            Item = btnSave
          end
          item
            BeginGroup = True
            Item = btnLeft
          end
          item
            Item = btnRight
          end
          item
            BeginGroup = True
            Item = btnSend
          end>
        Name = 'Standard'
        Row = 1
        Visible = True
      end
      item
        Caption = 'Format'
        DockingStyle = dsBottom
        ItemLinks = <
          item
            Item = btnBold
          end
          item
            Item = btnLeft
          end
          item
            Item = btnRight
          end>
        Name = 'Format'
        Visible = True
      end
      item
        Caption = 'Search'
        DockingStyle = dsBottom
        ItemLinks = <
          item
            Item = edFind
          end
          item
            Item = cbCity
          end>
        Name = 'Search'
        Row = 1
        Visible = True
      end>
    Categories.Strings = (
      'Default'
      'File'
      'Edit'
      'Format')
    UseSystemFont = False
    object grpAlign: TdxBarGroup
      Items = (
        'btnLeft'
        'btnRight')
    end
    object btnFile: TdxBarButton
      Caption = '&File'
      Category = 0
      OnClick = ItemClick
    end
    object btnEdit: TdxBarButton
      Caption = '&Edit'
      Category = 0
      OnClick = ItemClick
    end
    object btnHelp: TdxBarButton
      Caption = '&Help'
      Category = 0
      OnClick = FailingClick
    end
    object btnNew: TdxBarButton
      Caption = '&New'
      Category = 1
      OnClick = ItemClick
    end
    object btnOpen: TdxBarButton
      Caption = '&Open'
      Category = 1
      Hint = 'Open a card file'
      OnClick = ItemClick
    end
    object btnSave: TdxBarButton
      Caption = '&Save'
      Category = 1
      ShortCut = 16467
      OnClick = ItemClick
    end
    object btnLeft: TdxBarButton
      Caption = '&Left'
      Category = 3
      ButtonStyle = bsChecked
      GroupIndex = 1
      Down = True
      OnClick = ItemClick
    end
    object btnRight: TdxBarButton
      Caption = '&Right'
      Category = 3
      ButtonStyle = bsChecked
      GroupIndex = 1
      OnClick = ItemClick
    end
    object btnBold: TdxBarButton
      Caption = '&Bold'
      Category = 3
      ButtonStyle = bsChecked
      OnClick = ItemClick
    end
    object btnSend: TdxBarButton
      Caption = 'Sen&d'
      Category = 2
      ButtonStyle = bsDropDown
      DropDownMenu = pmSend
      OnClick = ItemClick
    end
    object sbView: TdxBarSubItem
      Caption = '&View'
      Category = 0
      ItemLinks = <
        item
          Item = btnBold
        end
        item
          BeginGroup = True
          Item = ciAlign
        end>
    end
    object sbWindow: TdxBarSubItem
      Caption = '&Window'
      Category = 0
      ItemLinks = <
        item
          Item = liWindows
        end>
    end
    object ciAlign: TdxBarContainerItem
      Caption = 'Align'
      Category = 3
      ItemLinks = <
        item
          Item = btnLeft
        end
        item
          Item = btnRight
        end>
    end
    object liWindows: TdxBarListItem
      Caption = 'Windows'
      Category = 0
      Items.Strings = (
        'Cards'
        'Courses'
        'Reports')
      OnClick = ItemClick
    end
    object edFind: TdxBarEdit
      Caption = 'Find'
      Category = 2
      Width = 100
    end
    object cbCity: TdxBarCombo
      Caption = 'City'
      Category = 2
      Width = 120
      Items.Strings = (
        'Kazan'
        'Moscow'
        'Omsk'
        'Samara')
      ItemIndex = -1
    end
    object btnToMail: TdxBarButton
      Caption = 'To &mail'
      Category = 2
      OnClick = ItemClick
    end
    object btnToPrinter: TdxBarButton
      Caption = 'To &printer'
      Category = 2
      OnClick = ItemClick
    end
    object btnToDisk: TdxBarButton
      Caption = 'To &disk'
      Category = 2
      OnClick = ItemClick
    end
  end
  object pmSend: TdxBarPopupMenu
    ItemLinks = <
      item
        Item = btnToMail
      end
      item
        Item = btnToPrinter
      end
      item
        BeginGroup = True
        Item = btnToDisk
      end>
  end
end
